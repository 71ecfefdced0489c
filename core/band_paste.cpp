#include "core/band_paste.h"

#include "core/csv_records.h"
#include "core/number_text.h"

#include <algorithm>
#include <charconv>

namespace vorelin {

namespace {

// A pasted first line is a header only when every cell with text names a column: a row whose
// note reads "note" or "C1" is a row.
bool IsHeader(const std::vector<std::string>& cells) {
    bool named = false;
    for (const std::string& cell : cells) {
        const std::string name = Trimmed(cell);
        if (name.empty()) continue;
        if (!ColumnNamed(name)) return false;
        named = true;
    }
    return named;
}

// "Line 3 ..." of a text read below a header line of our own is line 2 of what was pasted, and
// that header is not the user's to be named.
std::string WithoutOwnHeader(std::string error) {
    constexpr std::string_view kLine = "Line ", kOwnHeader = " columns of the header on line 1.";
    if (error.ends_with(kOwnHeader))
        error.replace(error.size() - kOwnHeader.size(), kOwnHeader.size(), " columns of a band table.");
    if (!error.starts_with(kLine)) return error;
    std::size_t line = 0;
    const char* begin = error.data() + kLine.size();
    const auto [end, fault] = std::from_chars(begin, error.data() + error.size(), line);
    if (fault != std::errc() || line < 2) return error;
    return std::string(kLine) + std::to_string(line - 1) +
           error.substr(static_cast<std::size_t>(end - error.data()));
}

} // namespace

BandRead PastedRows(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::size_t firstText = text.find_first_not_of(" \t\r\n");
    if (firstText == std::string_view::npos) return {};
    const std::size_t lineStart = text.find_last_of("\r\n", firstText);
    text.remove_prefix(lineStart == std::string_view::npos ? 0 : lineStart + 1);
    const char separator = CsvSeparatorOf(text);
    CsvReader reader(text, separator, 1, kMostBandCellBytes);
    CsvRecord first;
    reader.Next(first, kBandColumnCount + 1);
    if (IsHeader(first.cells)) return ReadBandTable(text);

    std::string withHeader;
    for (const std::string_view name : kBandColumnNames) {
        if (!withHeader.empty()) withHeader += separator;
        withHeader += name;
    }
    withHeader += "\n";
    withHeader += text;
    BandRead read = ReadBandTable(withHeader);
    read.error = WithoutOwnHeader(std::move(read.error));
    for (BandRow& row : read.table.rows)
        --row.line;
    return read;
}

std::string CopiedRows(const BandTable& table, std::span<const std::size_t> rows) {
    std::string text;
    const auto line = [&text](const auto& cells) {
        for (std::size_t i = 0; i < kBandColumnCount; ++i) {
            if (i > 0) text += '\t';
            const std::string_view cell = cells[i];
            const bool quoted = cell.find_first_of("\t\"\r\n") != std::string_view::npos;
            if (quoted) text += '"';
            for (const char c : cell) {
                if (quoted && c == '"') text += '"';
                text += IsControlByte(c) ? ' ' : c;
            }
            if (quoted) text += '"';
        }
        text += "\r\n";
    };
    line(kBandColumnNames);
    for (const std::size_t row : rows) {
        const BandCells& cells = table.rows.at(row).cells;
        if (std::ranges::any_of(cells, [](const std::string& cell) {
                return cell.find_first_not_of(" \t") != std::string::npos;
            }))
            line(cells);
    }
    return text;
}

} // namespace vorelin

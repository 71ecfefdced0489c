#include "core/band_table.h"

#include "core/csv_records.h"
#include "core/decimal_number.h"
#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/text_encoding.h"
#include "core/strict_value.h"
#include "core/topology.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorelin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kColumnList = "frequency, topology, impedance, c1, c2, c3, l1, l2, l3 and note";
constexpr BandColumn kRequiredColumns[] = {BandColumn::Frequency, BandColumn::Topology,
                                           BandColumn::Impedance};

// The cells read with ParseValue, with the entry each fills and the box the entries page has for it.
struct ValueColumn {
    BandColumn column;
    float Entries::*value;
    std::string_view field;
};
constexpr ValueColumn kValueColumns[] = {
    {BandColumn::Frequency, &Entries::Frequency, "Frequency"},
    {BandColumn::Impedance, &Entries::Impedance, "Impedance"},
    {BandColumn::C1, &Entries::C1, "C1"},
    {BandColumn::C2, &Entries::C2, "C2"},
    {BandColumn::C3, &Entries::C3, "C3"},
    {BandColumn::L1, &Entries::L1, "L1"},
    {BandColumn::L2, &Entries::L2, "L2"},
    {BandColumn::L3, &Entries::L3, "L3"},
};

constexpr std::size_t Index(BandColumn column) { return static_cast<std::size_t>(column); }

// "7", " 7 ", "7.0" and "+7" are 7; nothing for a text that is not a whole number from 1 to 8.
std::optional<std::int16_t> TopologyOf(std::string_view cell) {
    const std::string_view text = WithoutBlanks(cell);
    const DecimalPrefix number = ScanDecimalPrefix(text);
    if (text.empty() || number.length != text.size() || number.overflow) return std::nullopt;
    if (!(number.value >= kFirstTopology && number.value <= kLastTopology)) return std::nullopt;
    if (number.value != std::trunc(number.value)) return std::nullopt;
    return static_cast<std::int16_t>(number.value);
}

std::optional<EntryProblem> FirstProblem(const BandRow& row, bool knownTopology,
                                         std::optional<EntryProblem> refused) {
    if (!knownTopology) return EntryProblem{kBadTopology, "Topology"};
    if (refused) return refused;
    for (const ValueColumn& value : kValueColumns) {
        if (row.Cell(value.column).find(',') != std::string::npos)
            return EntryProblem{kDecimalComma, value.field};
    }
    return CheckEntries(row.entries);
}

// A cell's value read whole, or its refusal; an empty cell is 0.
WholeValue CellValue(std::string_view cell) {
    if (WithoutBlanks(cell).empty()) return {};
    return ReadWholeValue(cell);
}

template <typename Cells> bool HasNoText(const Cells& cells) {
    return std::ranges::all_of(cells, [](const std::string& cell) { return WithoutBlanks(cell).empty(); });
}

} // namespace

std::optional<BandColumn> ColumnNamed(std::string_view name) {
    const auto sameLetters = [name](std::string_view columnName) {
        return std::ranges::equal(name, columnName, [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
        });
    };
    const auto* found = std::ranges::find_if(kBandColumnNames, sameLetters);
    if (found == kBandColumnNames.end()) return std::nullopt;
    return static_cast<BandColumn>(found - kBandColumnNames.begin());
}

namespace {

std::string LineText(std::size_t line) { return "Line " + std::to_string(line); }

std::string FaultMessage(const CsvRecord& record, std::string_view tooManyCells) {
    const std::string line = LineText(record.faultLine);
    switch (record.fault) {
    case CsvFault::ControlByte: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(record.faultByte));
        return line + " holds the control byte " + hex + ": this is not a text table.";
    }
    case CsvFault::LongCell:
        return line + " has a cell of more than " + std::to_string(kMostBandCellBytes) + " bytes.";
    case CsvFault::UnclosedQuote:
        return line + " opens a quoted cell that is never closed.";
    case CsvFault::TextAfterQuote:
        return line + " has text after the closing quote of a cell.";
    case CsvFault::TooManyCells:
        return line + std::string(tooManyCells);
    case CsvFault::None:
        break;
    }
    return {};
}

// The column of each header cell in `columns`; otherwise the reason the line is no header.
std::string HeaderColumns(const CsvRecord& header, std::vector<BandColumn>& columns) {
    const std::string line = LineText(header.line);
    if (std::ranges::none_of(header.cells, [](const std::string& cell) {
            return ColumnNamed(WithoutBlanks(cell)).has_value();
        }))
        return line + " must name the columns: " + std::string(kColumnList) + ".";
    std::array<bool, kBandColumnCount> named{};
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string name(WithoutBlanks(header.cells[i]));
        const auto column = ColumnNamed(name);
        if (name.empty())
            return line + " has a column without a name (column " + std::to_string(i + 1) + ").";
        if (!column)
            return line + " names an unknown column \"" + name + "\"; the columns are " +
                   std::string(kColumnList) + ".";
        if (named[Index(*column)]) return line + " names the column \"" + name + "\" twice.";
        named[Index(*column)] = true;
        columns.push_back(*column);
    }
    for (const BandColumn required : kRequiredColumns) {
        if (!named[Index(required)])
            return line + " names no " + std::string(kBandColumnNames[Index(required)]) +
                   " column; frequency, topology and impedance are needed.";
    }
    return {};
}

// Moves past the BOM and the lines holding nothing but blanks before the header.
std::size_t HeaderStart(std::string_view bytes, std::size_t& line) {
    std::size_t at = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (true) {
        std::size_t end = at;
        while (end < bytes.size() && IsBlank(bytes[end]))
            ++end;
        if (end == bytes.size() || (bytes[end] != '\r' && bytes[end] != '\n')) return at;
        at = end + (bytes.substr(end).starts_with("\r\n") ? 2 : 1);
        ++line;
    }
}

BandRead Refused(std::string message) { return BandRead{.table = {}, .error = std::move(message)}; }

} // namespace

BandRow BandRowFromCells(BandCells cells, std::size_t line, ValueReading reading) {
    BandRow row{.line = line, .cells = std::move(cells), .entries = {}, .problem = {}};
    std::optional<EntryProblem> refused;
    for (const ValueColumn& value : kValueColumns) {
        const std::string& cell = row.Cell(value.column);
        if (reading == ValueReading::AsEntriesPage) {
            row.entries.*value.value = static_cast<float>(ParseValue(cell));
            continue;
        }
        const WholeValue whole = CellValue(cell);
        row.entries.*value.value = static_cast<float>(whole.value);
        if (!whole.Read() && !refused) refused = EntryProblem{whole.refusal, value.field};
    }
    const auto topology = TopologyOf(row.Cell(BandColumn::Topology));
    row.entries.Topology = topology.value_or(std::int16_t{0});
    row.problem = FirstProblem(row, topology.has_value(), refused);
    return row;
}

std::vector<RefusedCell> RefusedCells(const BandRow& row) {
    std::vector<RefusedCell> refused;
    for (const ValueColumn& value : kValueColumns) {
        if (const WholeValue whole = CellValue(row.Cell(value.column)); !whole.Read())
            refused.push_back({value.column, value.field, whole});
    }
    return refused;
}

namespace {

// A frequency or impedance as the entries page shows it, or, where that form would read back as
// another value (14.0002 MHz shows as "14M"), with as many more digits as it takes.
std::string EntryValueText(float value) { return Trimmed(FormatKeepingValue(value, FormatValue)); }

} // namespace

BandRow BandRowFromEntries(const Entries& entries) {
    BandCells cells;
    cells[Index(BandColumn::Frequency)] = EntryValueText(entries.Frequency);
    cells[Index(BandColumn::Topology)] = std::to_string(entries.Topology);
    cells[Index(BandColumn::Impedance)] = EntryValueText(entries.Impedance);
    for (const PartSlot& part : PartsOf(entries.Topology)) {
        const auto entry = std::ranges::find(kEntryParts, part.name, &EntryPart::name);
        cells[Index(BandColumn::C1) + static_cast<std::size_t>(entry - kEntryParts.begin())] = Trimmed(
            FormatKeepingValue(entries.*part.value,
                               part.kind == PartKind::Capacitor ? FormatCapacitance : FormatInductance));
    }
    return BandRowFromCells(std::move(cells));
}

BandRead ReadBandTable(std::string_view bytes, ValueReading reading) {
    if (std::string problem = EncodingProblem(bytes); !problem.empty()) return Refused(std::move(problem));
    std::size_t line = 1;
    const std::size_t start = HeaderStart(bytes, line);
    if (start == bytes.size()) return {};
    const std::string_view text = bytes.substr(start);
    CsvReader reader(text, CsvSeparatorOf(text), line, kMostBandCellBytes);

    CsvRecord record;
    if (!reader.Next(record, kBandColumnCount))
        return Refused(FaultMessage(record, " names more than the " + std::to_string(kBandColumnCount) +
                                                " columns of a band table."));
    std::vector<BandColumn> columns;
    if (std::string error = HeaderColumns(record, columns); !error.empty()) return Refused(std::move(error));
    const std::string tooManyCells = " has more cells than the " + std::to_string(columns.size()) +
                                     " columns of the header on line " + std::to_string(record.line) + ".";

    BandRead read;
    // Every row starts on a line of its own: growing the table in steps would move it ten times.
    const auto lineEnds =
        static_cast<std::size_t>(std::ranges::count(text, '\n') + std::ranges::count(text, '\r'));
    read.table.rows.reserve(std::min(lineEnds + 1, kMostBandRows));
    while (!reader.AtEnd()) {
        if (!reader.Next(record, columns.size())) return Refused(FaultMessage(record, tooManyCells));
        if (HasNoText(record.cells)) continue;
        if (read.table.rows.size() == kMostBandRows)
            return Refused(LineText(record.line) + " is row " + std::to_string(kMostBandRows + 1) +
                           ": a band table holds at most " + std::to_string(kMostBandRows) + " rows.");
        BandCells cells;
        for (std::size_t i = 0; i < record.cells.size(); ++i)
            cells[Index(columns[i])] = std::move(record.cells[i]);
        read.table.rows.push_back(BandRowFromCells(std::move(cells), record.line, reading));
    }
    return read;
}

std::string BandTableText(const BandTable& table) {
    std::string text;
    for (std::size_t i = 0; i < kBandColumnCount; ++i) {
        if (i > 0) text += ',';
        text += kBandColumnNames[i];
    }
    text += "\r\n";
    for (const BandRow& row : table.rows) {
        if (HasNoText(row.cells)) continue; // a reader skips it as a blank line
        for (std::size_t i = 0; i < kBandColumnCount; ++i) {
            if (i > 0) text += ',';
            AppendCsvCell(text, row.cells[i]);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace vorelin

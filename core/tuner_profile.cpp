#include "core/tuner_profile.h"

#include "core/csv_records.h"
#include "core/decimal_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vorelin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNameColumn = 0, kTopologyColumn = 1, kFirstRangeColumn = 2, kCoilQColumn = 14,
                      kCapacitorQColumn = 15, kNoteColumn = 16;
constexpr std::size_t kColumnCount = kProfileColumnNames.size();
// How far beyond a range end a float part value may lie and still count as inside it.
constexpr double kRangeSlack = 1e-6;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

// A part's value in the profile's units: pF for capacitors, uH for coils.
double InProfileUnits(float value, PartKind kind) {
    return static_cast<double>(value) * (kind == PartKind::Capacitor ? 1e12 : 1e6);
}

bool Within(double value, const PartRange& range) {
    if (range.least && value < *range.least * (1 - kRangeSlack)) return false;
    if (range.largest && value > *range.largest * (1 + kRangeSlack)) return false;
    return true;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

} // namespace

std::optional<double> ReadProfileNumber(std::string_view text) {
    text = WithoutBlanks(text);
    const DecimalPrefix number = ScanDecimalPrefix(text);
    if (text.empty() || number.length != text.size() || number.overflow) return std::nullopt;
    return number.value;
}

std::string ProfileNumberText(double value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return {digits, end};
}

bool SameProfileName(std::string_view a, std::string_view b) {
    return SameLetters(WithoutBlanks(a), WithoutBlanks(b));
}

const PartRange& TunerProfile::RangeOf(std::string_view part) const {
    static const PartRange kNoRange;
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        if (kEntryParts[i].name == part) return ranges[i];
    }
    return kNoRange;
}

std::string ProfileProblem(const TunerProfile& profile) {
    if (WithoutBlanks(profile.name).empty()) return "The profile needs a name.";
    if (profile.name.find_first_of("\r\n") != std::string::npos)
        return "The profile's name must be one line.";
    if (!IsKnownTopology(profile.topology)) return "The topology must be a whole number from 1 to 8.";
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        const PartRange& range = profile.ranges[i];
        const std::string part(kEntryParts[i].name);
        for (const auto& end : {range.least, range.largest}) {
            if (end && !(std::isfinite(*end) && *end >= 0))
                return "The range of " + part + " must be given as numbers of zero or more.";
        }
        if (range.least && range.largest && *range.least > *range.largest)
            return "The least value of " + part + " is above its largest.";
    }
    if (!(std::isfinite(profile.coilQ) && profile.coilQ > 0)) return std::string(kLossReasonCoilQ);
    if (!(std::isfinite(profile.capacitorQ) && profile.capacitorQ > 0))
        return std::string(kLossReasonCapacitorQ);
    return {};
}

std::vector<RangeMiss> PartsOutsideProfile(const TunerProfile& profile, const Entries& solution) {
    std::vector<RangeMiss> misses;
    for (const PartSlot& part : PartsOf(solution.Topology)) {
        const double value = InProfileUnits(solution.*part.value, part.kind);
        const PartRange& range = profile.RangeOf(part.name);
        if (!Within(value, range)) misses.push_back({part.name, value, range});
    }
    return misses;
}

bool FitsProfile(const TunerProfile& profile, const Entries& solution) {
    return profile.topology == solution.Topology && PartsOutsideProfile(profile, solution).empty();
}

namespace {

std::string LineText(std::size_t line) { return "Line " + std::to_string(line) + ": "; }

std::string FaultMessage(const CsvRecord& record) {
    const std::string line = LineText(record.faultLine);
    switch (record.fault) {
    case CsvFault::ControlByte: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(record.faultByte));
        return line + "the control byte " + hex + " is not text.";
    }
    case CsvFault::LongCell:
        return line + "a cell has more than " + std::to_string(kMostProfileCellBytes) + " bytes.";
    case CsvFault::UnclosedQuote:
        return line + "a quoted cell is never closed.";
    case CsvFault::TextAfterQuote:
        return line + "there is text after the closing quote of a cell.";
    case CsvFault::TooManyCells:
        return line + "there are more cells than columns.";
    case CsvFault::None:
        break;
    }
    return {};
}

// The column of each header cell; otherwise the reason the line is no header.
std::string HeaderColumns(const CsvRecord& header, std::vector<std::size_t>& columns) {
    const std::string line = LineText(header.line);
    std::array<bool, kColumnCount> named{};
    for (const std::string& cell : header.cells) {
        const std::string_view name = WithoutBlanks(cell);
        const auto* found = std::ranges::find_if(
            kProfileColumnNames, [name](std::string_view column) { return SameLetters(name, column); });
        if (found == kProfileColumnNames.end())
            return line + "the column " + Quoted(name) + " is not a column of tuner profiles.";
        const auto column = static_cast<std::size_t>(found - kProfileColumnNames.begin());
        if (named[column]) return line + "the column " + Quoted(name) + " is named twice.";
        named[column] = true;
        columns.push_back(column);
    }
    if (!named[kNameColumn] || !named[kTopologyColumn])
        return line + "the name and topology columns are needed.";
    return {};
}

// A number cell read whole; empty text is nothing. `error` is set for any other text.
std::optional<double> NumberCell(std::string_view cell, std::size_t column, std::string& error) {
    const std::string_view text = WithoutBlanks(cell);
    if (text.empty()) return std::nullopt;
    const std::optional<double> number = ReadProfileNumber(text);
    if (!number) error = std::string(kProfileColumnNames[column]) + " " + Quoted(text) + " is not a number.";
    return number;
}

// The profile of a record's cells (in file column order), or the reason in `error`.
TunerProfile ProfileOf(const CsvRecord& record, const std::vector<std::size_t>& columns, std::string& error) {
    TunerProfile profile;
    for (std::size_t i = 0; i < record.cells.size() && error.empty(); ++i) {
        const std::size_t column = columns[i];
        const std::string& cell = record.cells[i];
        if (column == kNameColumn || column == kNoteColumn) {
            (column == kNameColumn ? profile.name : profile.note) = cell;
            continue;
        }
        const std::optional<double> number = NumberCell(cell, column, error);
        if (column == kTopologyColumn) {
            const bool whole = number && *number >= kFirstTopology && *number <= kLastTopology &&
                               *number == std::trunc(*number);
            if (error.empty() && !whole)
                error = "topology " + Quoted(WithoutBlanks(cell)) + " is not a whole number from 1 to 8.";
            if (whole) profile.topology = static_cast<std::int16_t>(*number);
        } else if (column == kCoilQColumn || column == kCapacitorQColumn) {
            if (number) (column == kCoilQColumn ? profile.coilQ : profile.capacitorQ) = *number;
        } else {
            PartRange& range = profile.ranges[(column - kFirstRangeColumn) / 2];
            ((column - kFirstRangeColumn) % 2 == 0 ? range.least : range.largest) = number;
        }
    }
    if (error.empty()) error = ProfileProblem(profile);
    return profile;
}

template <typename Cells> bool HasNoText(const Cells& cells) {
    return std::ranges::all_of(cells, [](const std::string& cell) { return WithoutBlanks(cell).empty(); });
}

ProfilesRead Refused(std::string error) { return {{}, std::move(error)}; }

void AppendNumber(std::string& text, std::optional<double> value) {
    if (value) text += ProfileNumberText(*value);
}

} // namespace

ProfilesRead ReadTunerProfiles(std::string_view bytes) {
    const std::string_view text =
        bytes.starts_with(kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
    // The separator is the header's: the first line with text.
    const std::size_t header = std::min(text.find_first_not_of(" \t\r\n"), text.size());
    CsvReader reader(text, CsvSeparatorOf(text.substr(header)), 1, kMostProfileCellBytes);
    CsvRecord record;
    do {
        if (reader.AtEnd()) return {};
        if (!reader.Next(record, kColumnCount)) return Refused(FaultMessage(record));
    } while (HasNoText(record.cells));
    std::vector<std::size_t> columns;
    if (std::string error = HeaderColumns(record, columns); !error.empty()) return Refused(std::move(error));

    ProfilesRead read;
    while (!reader.AtEnd()) {
        if (!reader.Next(record, columns.size())) return Refused(FaultMessage(record));
        if (HasNoText(record.cells)) continue;
        if (read.profiles.size() == kMostProfiles)
            return Refused(LineText(record.line) + "a file holds at most " + std::to_string(kMostProfiles) +
                           " tuner profiles.");
        std::string error;
        TunerProfile profile = ProfileOf(record, columns, error);
        if (!error.empty()) return Refused(LineText(record.line) + error);
        const bool taken = std::ranges::any_of(read.profiles, [&profile](const TunerProfile& other) {
            return SameProfileName(other.name, profile.name);
        });
        if (taken)
            return Refused(LineText(record.line) + "the name " + Quoted(profile.name) + " is taken already.");
        read.profiles.push_back(std::move(profile));
    }
    return read;
}

std::string TunerProfilesText(std::span<const TunerProfile> profiles) {
    std::string text;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (i > 0) text += ',';
        text += kProfileColumnNames[i];
    }
    text += "\r\n";
    for (const TunerProfile& profile : profiles) {
        AppendCsvCell(text, profile.name);
        text += ',' + std::to_string(profile.topology);
        for (const PartRange& range : profile.ranges) {
            text += ',';
            AppendNumber(text, range.least);
            text += ',';
            AppendNumber(text, range.largest);
        }
        text += ',';
        AppendNumber(text, profile.coilQ);
        text += ',';
        AppendNumber(text, profile.capacitorQ);
        text += ',';
        AppendCsvCell(text, profile.note);
        text += "\r\n";
    }
    return text;
}

} // namespace vorelin

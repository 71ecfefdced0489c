#pragma once

#include "core/entries.h"
#include "core/entry_checks.h"
#include "core/strict_value.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The band table: tuner settings, one row per frequency, kept as CSV text. Its columns, in the
// order the program writes them; a file may name them in any order and in any letter case.
enum class BandColumn { Frequency, Topology, Impedance, C1, C2, C3, L1, L2, L3, Note };
inline constexpr std::size_t kBandColumnCount = 10;
inline constexpr std::array<std::string_view, kBandColumnCount> kBandColumnNames = {
    "frequency", "topology", "impedance", "c1", "c2", "c3", "l1", "l2", "l3", "note"};

// The column a name stands for, in any letter case ("Frequency", "C2"); nothing for another name.
std::optional<BandColumn> ColumnNamed(std::string_view name);

// Limits that keep any file, however malformed, quick to read: a table past them is refused
// whole. The program's own tables stay far inside them (a row takes some 60 bytes).
inline constexpr std::size_t kMostBandRows = 10000;
inline constexpr std::size_t kMostBandCellBytes = 1000;

// A row's reasons beyond the checks of "See results" (their field is "Topology", or the value's
// field such as "Frequency" or "C2").
inline constexpr std::string_view kBadTopology = "Topology must be a whole number from 1 to 8";
inline constexpr std::string_view kDecimalComma = kValueCommaMark;

using BandCells = std::array<std::string, kBandColumnCount>;

struct BandRow {
    std::size_t line = 0; // where the row starts in its file (the header is line 1); 0 if not read
    BandCells cells;      // the texts as typed, in BandColumn order; a missing column is empty
    Entries entries;      // Frequency ... L3 and Topology read from the cells
    std::optional<EntryProblem> problem; // the first reason the load cannot be computed

    const std::string& Cell(BandColumn column) const { return cells[static_cast<std::size_t>(column)]; }
    friend bool operator==(const BandRow&, const BandRow&) = default;
};

struct BandTable {
    std::vector<BandRow> rows; // in file order
    friend bool operator==(const BandTable&, const BandTable&) = default;
};

struct BandRead {
    BandTable table;   // empty when the file as a whole cannot be read
    std::string error; // that reason, a sentence naming the line: "Line 4 has a cell of more ..."
    bool Ok() const { return error.empty(); }
};

// A row from its cell texts. The values are read whole (ReadWholeValue; an empty cell is 0), or
// with ParseValue as the entries page reads its boxes; the topology must be a whole number from 1
// to 8 ("7", " 7 " and "7.0" are 7) or it reads as 0. The checks, first failing one wins: the
// topology, a value cell refused by the whole reading (its refusal, naming the cell's field; the
// value reads as 0), a comma in a value cell ("14,2M" would read as 142 MHz), then those of "See
// results". A row that fails keeps its cells as they are.
BandRow BandRowFromCells(BandCells cells, std::size_t line = 0, ValueReading reading = ValueReading::Whole);

// A value cell that the whole reading refuses, with the entries page's field ("C1") and why.
struct RefusedCell {
    BandColumn column;
    std::string_view field;
    WholeValue reading;
};
// Every such cell of a row, in column order (frequency, impedance, c1 ... l3).
std::vector<RefusedCell> RefusedCells(const BandRow& row);

// A new row holding the entries page's frequency, topology, impedance and the values of the
// topology's parts, as the page shows them: {"14.2M", "7", "50", "150 pF", "", "300 pF", "",
// "2.2 uH", "", ""}. The parts the topology does not use stay empty. A value that form would round
// (14.0002 MHz) gets the digits it needs to read back as itself ("14.0002M", FormatKeepingValue).
BandRow BandRowFromEntries(const Entries& entries);

// Reads CSV bytes. The first line that is not blank names the columns; frequency, topology and
// impedance are required, a missing part or note column reads as empty cells, any other column
// is refused (the program rewrites the file and would lose it). The separator is the first
// comma, semicolon or tab of that line. Lines end with CR LF, LF or CR; a UTF-8 byte-order mark
// is skipped. A cell in double quotes may hold separators, line ends and doubled quotes; blanks
// around the quotes are dropped. A row may have fewer cells than the header (the rest are empty),
// not more. Lines without any text in their cells are skipped. Input with no line at all reads as
// an empty table; a control byte other than tab, CR and LF refuses the file. Each row is read by
// BandRowFromCells with `reading`.
BandRead ReadBandTable(std::string_view bytes, ValueReading reading = ValueReading::Whole);

// The table as the program writes it: the header "frequency,topology,impedance,c1,c2,c3,l1,l2,
// l3,note", then one line per row with its cells as typed, comma separated, CR LF ends. A cell
// with a comma, a quote or a line end is quoted; a control byte other than tab, CR and LF is
// written as a blank, and a row without any text is left out (a reader would skip it), so the
// text always reads back. A table that ReadBandTable gave reads back to the same rows.
std::string BandTableText(const BandTable& table);

} // namespace vorelin

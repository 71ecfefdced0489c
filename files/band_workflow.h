#pragma once

#include "core/band_results.h"
#include "core/band_table.h"
#include "core/feedline.h"
#include "files/file_io.h"

#include <span>
#include <string>
#include <vector>

namespace vorelin {

// What the band page and vorelin-calc --table do with a band table, done once so that both read,
// write and word it alike: a table file the user names, each row's result, the Touchstone file and
// the results CSV. A failure comes as the whole sentence the user reads: the page shows it as it
// is, the calculator after its prefix. Rows are named as the page's grid numbers them, from 1.
//
// What is computed for a row lives in its BandResult (ResultOf, core/band_results.h); the files
// list it here. A column added there reaches the grid, both files and the calculator alike.

// The rows of a band table file the user names (Open table…, --table), its values read by
// `reading`; or the sentence that tells why there are none: "The band table PATH was not read.
// There is no such file." (… "It cannot be read: Permission denied.", a reader's reason, "It has
// no rows.").
BandRead ReadNamedBandTable(const std::string& path, ValueReading reading = ValueReading::Whole);

// Writes BandTableText of the table under a name the user chose (Save table…); on failure: "The
// band table PATH could not be written: Permission denied."
WriteResult WriteNamedBandTable(const std::string& path, const BandTable& table);

// Keeps a table that an opened one replaces in a new backup file, and says where: "The table you
// had is kept as VORELIN-BAND.BAK; Ctrl+Z brings it back." (or why it could not be kept).
std::string KeepReplacedTable(const BandTable& table);

// Each row's result (ResultOf), in row order.
std::vector<BandResult> BandResultsOf(const BandTable& table);

// The rows' system impedances, each once, ascending: the references a Touchstone file may take.
std::vector<float> BandImpedances(const BandTable& table);

// Why the rows make no Touchstone file against `reference`: "No Touchstone file was written: rows
// 1 and 3 have the same frequency (14200000 Hz); row 5 has no load (Shunt inductor must have a
// positive value)." A long list names the first ten and counts the rest. Empty when they make one.
std::string BandTouchstoneProblem(const BandTable& table, std::span<const BandResult> results,
                                  float reference);

// The band's export files; an empty path is not written. The Touchstone file holds the loads in
// ascending frequency against `reference` (rows of one frequency refuse it), after comments that
// name the program, the row count and the topology all rows share. The results CSV holds every
// row in table order (BandCsvText), a row without a load with its frequency and note only.
// With `feedpointsThrough` the results are the antenna's feedpoints through that line
// (FeedpointResults): the Touchstone file says so in a comment line, and the CSV in its header
// line, its figures against the line's Zc.
struct BandExports {
    std::string touchstonePath;
    float reference = 0;
    std::string csvPath;
    std::optional<Feedline> feedpointsThrough;
};

// The Touchstone comment of loads at the antenna, in ASCII: "Loads at the antenna's feedpoint,
// through 30 m of LMR-400 (VF 0.85, Zc 50 ohms, loss 1.24 sqrt(f) + 0.01 f dB/100 m)".
std::string FeedpointComment(const Feedline& line);

// Writes the files asked for: all of them or none (OutputPlan). The message of a failure is
// BandTouchstoneProblem's, or names the file and the system's reason: "The CSV file PATH could
// not be written: Permission denied."
WriteResult WriteBandExports(const BandExports& exports, const BandTable& table,
                             std::span<const BandResult> results);

} // namespace vorelin

#pragma once

#include "core/band_results.h"
#include "core/band_table.h"
#include "files/file_io.h"
#include "files/load_csv.h"
#include "files/touchstone.h"

#include <span>
#include <string>
#include <vector>

namespace vorelin {

// The band table's loads in the export files, rows named as the table numbers them (from 1).

// The rows' system impedances, each once, ascending.
std::vector<float> BandImpedances(const BandTable& table);

// The loads as a Touchstone file's points in ascending frequency against `reference`, with the
// file's comments; or why there can be no file: "rows 3 and 7 have the same frequency (14200000
// Hz); row 5 has no load (Shunt inductor must have a positive value)".
struct BandTouchstone {
    std::vector<TouchstonePoint> points;
    std::vector<std::string> comments;
    std::string problem;
};
BandTouchstone BandTouchstoneOf(const BandTable& table, std::span<const BandResult> results, float reference);

// Writes BandTouchstoneOf atomically; a table with a problem writes nothing and fails with "The
// Touchstone file PATH was not written: " and the problem.
WriteResult WriteBandTouchstone(const std::string& path, const BandTable& table,
                                std::span<const BandResult> results, float reference);

// The rows as the results CSV lists them, in table order.
std::vector<BandResultRow> BandResultRows(const BandTable& table, std::span<const BandResult> results);

// Writes BandTableText of the table; on failure the message names the file.
WriteResult WriteBandTableFile(const std::string& path, const BandTable& table);

} // namespace vorelin

#pragma once

#include "core/band_system.h"
#include "core/entries.h"
#include "core/load_analysis.h"
#include "core/networks.h"
#include "files/file_io.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// CSV files of loads for a spreadsheet: a header line, comma separated, CR LF line ends (RFC
// 4180), a period as decimal mark whatever the locale, floats to 9 significant digits (they read
// back exactly), other figures to 9 as well; a figure that does not exist is an empty cell.

// The loads of the analysis's tolerance region, one row per varied load in the order the region
// draws them (not the nominal load); SWR against the entries' impedance. Only the header line
// for an analysis without a region:
//   frequency_hz,r_ohm,x_ohm,swr
//   10100000,39.6233101,-104.853096,7.46982312
std::string RegionCsvText(const LoadAnalysis& analysis);

// One row of the band results: its frequency and Z0, its load when it could be computed, and the
// row's note (any text, UTF-8).
struct BandResultRow {
    float frequency = 0;
    float impedance = 0;
    std::optional<Load> load;
    std::string note;
};

// The band results, one row each in the order given:
//   frequency_hz,r_ohm,x_ohm,swr,return_loss_db,gamma_mag,note
//   14200000,25,0,2,9.54242509,0.333333333,"40 m, dipole"
//   21000000,,,,,,no load
// A row without a load has only its frequency and note. The note is quoted when it holds a comma,
// a quote, CR or LF (quotes doubled inside). Loads at the antenna (feedpoints, each row's impedance
// the line's Zc) say so in the header line, so that no reader takes them for the tuner's:
//   frequency_hz,feedpoint_r_ohm,feedpoint_x_ohm,line_swr,line_return_loss_db,line_gamma_mag,note
std::string BandCsvText(std::span<const BandResultRow> rows, BandPlace place = BandPlace::Tuner);

// A CSV field: as it is, or in quotes with inner quotes doubled when it must be.
std::string CsvField(std::string_view text);

// Writes the file atomically; on failure the old file stays and the message names the file.
WriteResult WriteRegionCsv(const std::string& path, const LoadAnalysis& analysis);

} // namespace vorelin

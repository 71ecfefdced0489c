#pragma once

#include "core/band_table.h"
#include "files/file_io.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// The band table file keeps the band table between runs, beside the last-session file in the
// working folder.
inline constexpr std::string_view kBandFileName = "VORELIN-BAND.CSV";
inline constexpr std::string_view kBandFileNotRead = "The band table file (VORELIN-BAND.CSV) was not read.";
inline constexpr std::string_view kBandFileNotWritten =
    "The band table file (VORELIN-BAND.CSV) was not written correctly.";
// Where a band table file that could not be read is kept, out of the way of the table the user
// builds next.
inline constexpr std::string_view kBandFileSetAsideName = "VORELIN-BAND.BAK";

// Far beyond any table within the row limit of typical rows; a larger file is refused unread.
inline constexpr std::size_t kLargestBandFile = std::size_t{16} << 20;

// Reads "VORELIN-BAND.CSV" from the working folder. No file is an empty table and no error; a file
// that cannot be read gives an empty table and kBandFileNotRead followed by the reason: "The band
// table file (VORELIN-BAND.CSV) was not read. Line 4 has text after the closing quote of a cell."
BandRead ReadBandFile();

// Renames "VORELIN-BAND.CSV" to "VORELIN-BAND.BAK", replacing an older one. Nothing when it was
// moved; the system's reason ("Permission denied") when it could not be.
std::optional<std::string> SetBandFileAside();

// Replaces "VORELIN-BAND.CSV" with BandTableText of the table. On failure the old file stays as it
// was and the result's message is kBandFileNotWritten.
WriteResult WriteBandFile(const BandTable& table);

} // namespace vorelin

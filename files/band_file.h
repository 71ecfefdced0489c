#pragma once

#include "core/band_table.h"
#include "files/file_io.h"
#include "files/numbered_backup.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vorelin {

// The band table file keeps the band table between runs, beside the last-session file in the
// working folder.
inline constexpr std::string_view kBandFileName = "VORELIN-BAND.CSV";
inline const std::string kBandFileNotRead =
    "The band table file (" + std::string(kBandFileName) + ") was not read.";
inline const std::string kBandFileNotWritten =
    "The band table file (" + std::string(kBandFileName) + ") was not written correctly.";
// Backups of the band table: a file that could not be read, set aside out of the way of the table
// the user builds next, and a table that an opened one replaced. VORELIN-BAND.BAK, then
// VORELIN-BAND-2.BAK, VORELIN-BAND-3.BAK, …: a backup never replaces a backup.
inline constexpr std::string_view kBandBackupStem = "VORELIN-BAND";
inline constexpr std::string_view kBandBackupExtension = ".BAK";
// The lock file beside it that lets one program at a time change it.
inline constexpr std::string_view kBandLockName = "VORELIN-BAND.LCK";

// Far beyond any table within the row limit of typical rows; a larger file is refused unread.
inline constexpr std::size_t kLargestBandFile = std::size_t{16} << 20;

struct BandFileRead {
    BandTable table;
    std::string error;       // the sentence that tells why it was not read; empty when it was
    bool regularFile = true; // false when no regular file stands under the name: never write it
    bool Ok() const { return error.empty(); }
};

// Reads "VORELIN-BAND.CSV" from the working folder. No file is an empty table and no error; a file
// that cannot be read gives an empty table and kBandFileNotRead followed by the reason: "The band
// table file (VORELIN-BAND.CSV) was not read. Line 4 has text after the closing quote of a cell.",
// "… It is not a regular file." for a folder, a pipe, a device, or a link in a loop or to nothing.
BandFileRead ReadBandFile();

// Renames "VORELIN-BAND.CSV" to the first free backup name.
Backup SetBandFileAside();

// Writes the table as a new backup under the first free backup name.
Backup KeepBandTableAsBackup(const BandTable& table);

// Replaces "VORELIN-BAND.CSV" with BandTableText of the table. On failure the old file stays as it
// was and the result's message is kBandFileNotWritten and the reason: "… was not written
// correctly. Operation not permitted."
WriteResult WriteBandFile(const BandTable& table);

} // namespace vorelin

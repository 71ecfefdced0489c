#pragma once

#include <string>
#include <string_view>

namespace vorelin {

// Backups take the first free name of a numbered series, "VORELIN-BAND.BAK", "VORELIN-BAND-2.BAK",
// "VORELIN-BAND-3.BAK", …, so that a backup never replaces a backup.
struct Backup {
    std::string name;   // the backup made; empty when there is none
    std::string reason; // why there is none: the system's words ("Permission denied")
    bool Made() const { return !name.empty(); }
};

// The n-th name of the series (from 1): "VORELIN-BAND.BAK", then "VORELIN-BAND-2.BAK".
std::string BackupName(std::string_view stem, std::string_view extension, int number);

// Renames `file` to the first free name of the series, in the same folder (stem may name one).
// The rename never replaces: a name taken meanwhile moves it on to the next.
Backup MoveToBackup(const std::string& file, std::string_view stem, std::string_view extension);

// Writes `bytes` whole as a new file under the first free name of the series.
Backup WriteBackup(std::string_view bytes, std::string_view stem, std::string_view extension);

} // namespace vorelin

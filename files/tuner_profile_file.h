#pragma once

#include "core/tuner_profile.h"
#include "files/kept_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The tuner profiles file keeps the user's tuners (TunerProfilesText) beside the last-session file
// in the working folder, by the same rules as the band table's file: written whole, one program at
// a time (a lock file), an unreadable file set aside as a numbered backup.
inline constexpr std::string_view kProfileFileName = "VORELIN-TUNERS.CSV";
inline const std::string kProfileFileNotRead =
    "The tuner profile file (" + std::string(kProfileFileName) + ") was not read.";
inline const std::string kProfileFileNotWritten =
    "The tuner profile file (" + std::string(kProfileFileName) + ") was not written correctly.";
inline constexpr std::string_view kProfileBackupStem = "VORELIN-TUNERS";
inline constexpr std::string_view kProfileBackupExtension = ".BAK";
inline constexpr std::string_view kProfileLockName = "VORELIN-TUNERS.LCK";

using TunerProfiles = std::vector<TunerProfile>;

// Reads "VORELIN-TUNERS.CSV" from the working folder. No file is no profile and no error; a file
// that cannot be read gives none and kProfileFileNotRead followed by the reason: "… was not read.
// Line 3: topology \"9\" is not a whole number from 1 to 8."
ContentRead<TunerProfiles> ReadProfileFile();

// Renames "VORELIN-TUNERS.CSV" to the first free backup name (VORELIN-TUNERS.BAK, …-2.BAK, …).
Backup SetProfileFileAside();

// Replaces "VORELIN-TUNERS.CSV" with TunerProfilesText of the profiles. On failure the old file
// stays as it was and the message is kProfileFileNotWritten and the reason.
WriteResult WriteProfileFile(const TunerProfiles& profiles);

// How the run keeps the file (see KeptFile).
extern const KeptFormat<TunerProfiles> kProfileFileFormat;

// The profile of that name (any letter case, blanks around it aside); nullptr when none has it.
const TunerProfile* FindProfile(const TunerProfiles& profiles, std::string_view name);

} // namespace vorelin

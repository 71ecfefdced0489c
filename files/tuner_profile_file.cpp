#include "files/tuner_profile_file.h"

#include <algorithm>

namespace vorelin {

ContentRead<TunerProfiles> ReadProfileFile() {
    const ContentRead<std::string> file =
        ReadOwnFile(std::string(kProfileFileName), kLargestReadableFile, kProfileFileNotRead);
    if (!file.Ok()) return {{}, file.error, file.regularFile};
    ProfilesRead read = ReadTunerProfiles(file.content);
    if (!read.Ok()) return {{}, std::string(kProfileFileNotRead) + " " + read.error, true};
    return {std::move(read.profiles), {}, true};
}

Backup SetProfileFileAside() {
    return MoveToBackup(std::string(kProfileFileName), kProfileBackupStem, kProfileBackupExtension);
}

WriteResult WriteProfileFile(const TunerProfiles& profiles) {
    WriteResult result = WriteFileAtomically(std::string(kProfileFileName), TunerProfilesText(profiles));
    if (result.Failed())
        result.message = std::string(kProfileFileNotWritten) + " " + ReasonSentence(result.reason);
    return result;
}

const KeptFormat<TunerProfiles> kProfileFileFormat{kProfileLockName, ReadProfileFile, SetProfileFileAside,
                                                   WriteProfileFile};

const TunerProfile* FindProfile(const TunerProfiles& profiles, std::string_view name) {
    const auto found = std::ranges::find_if(
        profiles, [name](const TunerProfile& profile) { return SameProfileName(profile.name, name); });
    return found == profiles.end() ? nullptr : &*found;
}

} // namespace vorelin

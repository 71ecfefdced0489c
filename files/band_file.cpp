#include "files/band_file.h"

#include "files/kept_file.h"

#include <string>

namespace vorelin {

BandFileRead ReadBandFile() {
    const ContentRead<std::string> content =
        ReadOwnFile(std::string(kBandFileName), kLargestBandFile, kBandFileNotRead);
    if (!content.Ok()) return {{}, content.error, content.regularFile};
    BandRead read = ReadBandTable(content.content);
    if (!read.Ok()) return {{}, kBandFileNotRead + " " + read.error, true};
    return {std::move(read.table), {}, true};
}

Backup SetBandFileAside() {
    return MoveToBackup(std::string(kBandFileName), kBandBackupStem, kBandBackupExtension);
}

Backup KeepBandTableAsBackup(const BandTable& table) {
    return WriteBackup(BandTableText(table), kBandBackupStem, kBandBackupExtension);
}

WriteResult WriteBandFile(const BandTable& table) {
    WriteResult result = WriteFileAtomically(std::string(kBandFileName), BandTableText(table));
    if (result.Failed()) result.message = kBandFileNotWritten + " " + ReasonSentence(result.reason);
    return result;
}

} // namespace vorelin

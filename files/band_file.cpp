#include "files/band_file.h"

#include "files/kept_file.h"

#include <string>

namespace vorelin {

namespace {

std::string NotRead(std::string_view reason) {
    return std::string(kBandFileNotRead) + " " + std::string(reason);
}

std::string TooLarge() { return "It is larger than " + std::to_string(kLargestBandFile >> 20) + " MB."; }

} // namespace

BandFileRead ReadBandFile() {
    const ContentRead<std::string> content =
        ReadOwnFile(std::string(kBandFileName), kLargestBandFile, kBandFileNotRead);
    if (!content.Ok()) return {{}, content.error, content.regularFile};
    BandRead read = ReadBandTable(content.content);
    if (!read.Ok()) return {{}, NotRead(read.error), true};
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
    if (result.Failed())
        result.message = std::string(kBandFileNotWritten) + " " + ReasonSentence(result.reason);
    return result;
}

BandRead ReadBandTableFile(const std::string& path, ValueReading reading) {
    using Status = FileContent::Status;
    const FileContent content = ReadWholeFile(path, kLargestBandFile);
    const auto refused = [](std::string error) { return BandRead{{}, std::move(error)}; };
    switch (content.status) {
    case Status::Missing:
        return refused("There is no such file.");
    case Status::NotReadable:
        return refused("It cannot be read: " + content.reason + ".");
    case Status::TooLarge:
        return refused(TooLarge());
    case Status::Read:
        break;
    }
    BandRead read = ReadBandTable(content.bytes, reading);
    if (read.Ok() && read.table.rows.empty()) read.error = "It has no rows.";
    return read;
}

} // namespace vorelin

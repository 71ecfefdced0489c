#include "files/band_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace vorelin {

namespace {

BandRead NotRead(std::string_view reason) {
    return BandRead{.table = {}, .error = std::string(kBandFileNotRead) + " " + std::string(reason)};
}

} // namespace

BandRead ReadBandFile() {
    using Status = FileContent::Status;
    const FileContent content = ReadWholeFile(std::string(kBandFileName), kLargestBandFile);
    switch (content.status) {
    case Status::Missing:
        return {};
    case Status::NotReadable:
        return NotRead("It cannot be read: " + content.reason + ".");
    case Status::TooLarge:
        return NotRead("It is larger than " + std::to_string(kLargestBandFile >> 20) + " MB.");
    case Status::Read:
        break;
    }
    BandRead read = ReadBandTable(content.bytes);
    if (!read.Ok()) return NotRead(read.error);
    return read;
}

std::optional<std::string> SetBandFileAside() {
    if (std::rename(std::string(kBandFileName).c_str(), std::string(kBandFileSetAsideName).c_str()) == 0)
        return std::nullopt;
    return std::string(std::strerror(errno));
}

WriteResult WriteBandFile(const BandTable& table) {
    WriteResult result = WriteFileAtomically(std::string(kBandFileName), BandTableText(table));
    if (result.Failed()) result.message = std::string(kBandFileNotWritten);
    return result;
}

} // namespace vorelin

#include "files/kept_file.h"

namespace vorelin {

ContentRead<std::string> ReadOwnFile(const std::string& path, std::size_t largest, std::string_view notRead) {
    using Status = FileContent::Status;
    const auto refused = [notRead](const std::string& sentence, bool regularFile) {
        return ContentRead<std::string>{{}, std::string(notRead) + " " + sentence, regularFile};
    };
    FileContent content = ReadWholeFile(path, largest);
    switch (content.status) {
    case Status::Missing:
        return {};
    case Status::NotReadable:
        if (!content.regularFile) return refused(ReasonSentence(ItIs(content.reason.c_str())), false);
        return refused("It cannot be read: " + content.reason + ".", true);
    case Status::TooLarge:
        return refused("It is larger than " + std::to_string(largest >> 20) + " MB.", true);
    case Status::Read:
        break;
    }
    return {std::move(content.bytes), {}, true};
}

} // namespace vorelin

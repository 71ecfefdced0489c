#include "files/kept_file.h"

namespace vorelin {

ContentRead<std::string> ReadOwnFile(const std::string& path, std::size_t largest, std::string_view notRead) {
    FileContent content = ReadWholeFile(path, largest);
    switch (content.status) {
    case FileContent::Status::Missing:
        return {};
    case FileContent::Status::Read:
        return {std::move(content.bytes), {}, true};
    default:
        return {{}, std::string(notRead) + " " + NotReadSentence(content, largest), content.regularFile};
    }
}

} // namespace vorelin

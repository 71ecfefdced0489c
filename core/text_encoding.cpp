#include "core/text_encoding.h"

namespace vorelin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// UTF-16 puts a zero byte beside every ASCII character: the first one tells the byte order.
bool LooksUtf16(std::string_view bytes) {
    if (bytes.size() < 2) return false;
    const auto first = static_cast<unsigned char>(bytes[0]), second = static_cast<unsigned char>(bytes[1]);
    return (first == 0) != (second == 0) && (first | second) < 0x80;
}

} // namespace

std::string EncodingProblem(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv))
        return "This is UTF-32 text: save it as UTF-8.";
    if (bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv) || LooksUtf16(bytes))
        return "This is UTF-16 text: save it as UTF-8.";
    const std::size_t second = bytes.find(kUtf8Mark, bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0);
    if (second == std::string_view::npos) return {};
    std::size_t line = 1;
    for (std::size_t i = 0; i < second; ++i)
        line += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    return "Line " + std::to_string(line) +
           " holds a second byte-order mark (U+FEFF), as text joined from two files does: remove it and save "
           "the text as UTF-8.";
}

} // namespace vorelin

#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vorelin {

namespace {

struct ExtraGlyph {
    char32_t code;
    int advance;
};

// One face: ascent, descent and line gap, and the advance widths, all in 1/2048 em; the printable
// ASCII characters from the blank on, then a few others the pages print (characters the face lacks
// take the advance of the fallback face that draws them).
struct FaceMetrics {
    int ascent;
    int descent;
    int lineGap;
    std::array<int, 95> ascii;
    std::array<ExtraGlyph, 11> extra;
};

// clang-format off
constexpr FaceMetrics kSansRegular{1854, 434, 67,
    {569, 569, 727, 1139, 1139, 1821, 1366, 391, 682, 682, 797, 1196, 569, 682, 569, 569, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569, 569, 1196, 1196, 1196, 1139, 2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569, 1024, 1366, 1139, 1706, 1479, 1593, 1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569, 569, 569, 961, 1139, 682, 1139, 1139, 1024, 1139, 1139, 569, 1139, 1139, 455, 455, 1024, 455, 1706, 1139, 1139, 1139, 1139, 682, 1024, 569, 1139, 1024, 1479, 1024, 1024, 1024, 684, 532, 684, 1196},
    {{{0x00B0, 819}, {0x00B1, 1124}, {0x00B5, 1180}, {0x0393, 1128}, {0x03A9, 1531}, {0x2014, 2048}, {0x2026, 2048}, {0x2220, 1836}, {0x2225, 1024}, {0x2264, 1124}, {0x2265, 1124}}}};
constexpr FaceMetrics kSansBold{1854, 434, 67,
    {569, 682, 971, 1139, 1139, 1821, 1479, 487, 682, 682, 797, 1196, 569, 682, 569, 569, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 682, 682, 1196, 1196, 1196, 1251, 1997, 1479, 1479, 1479, 1479, 1366, 1251, 1593, 1479, 569, 1139, 1479, 1251, 1706, 1479, 1593, 1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 682, 569, 682, 1196, 1139, 682, 1139, 1251, 1139, 1251, 1139, 682, 1251, 1251, 569, 569, 1139, 569, 1821, 1251, 1251, 1251, 1251, 797, 1139, 682, 1251, 1139, 1593, 1139, 1139, 1024, 797, 573, 797, 1196},
    {{{0x00B0, 819}, {0x00B1, 1124}, {0x00B5, 1180}, {0x0393, 1231}, {0x03A9, 1642}, {0x2014, 2048}, {0x2026, 2048}, {0x2220, 1836}, {0x2225, 1024}, {0x2264, 1124}, {0x2265, 1124}}}};
constexpr FaceMetrics kSerifRegular{1825, 443, 87,
    {512, 682, 836, 1024, 1024, 1706, 1593, 369, 682, 682, 1024, 1155, 512, 682, 512, 569, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 569, 569, 1155, 1155, 1155, 909, 1886, 1479, 1366, 1366, 1479, 1251, 1139, 1479, 1479, 682, 797, 1479, 1251, 1821, 1479, 1479, 1139, 1479, 1366, 1139, 1251, 1479, 1479, 1933, 1479, 1479, 1251, 682, 569, 682, 961, 1024, 682, 909, 1024, 909, 1024, 909, 682, 1024, 1024, 569, 569, 1024, 569, 1593, 1024, 1024, 1024, 1024, 682, 797, 569, 1024, 1024, 1479, 1024, 1024, 909, 983, 410, 983, 1108},
    {{{0x00B0, 819}, {0x00B1, 1124}, {0x00B5, 1180}, {0x0393, 1184}, {0x03A9, 1522}, {0x2014, 2048}, {0x2026, 2048}, {0x2220, 1716}, {0x2225, 946}, {0x2264, 1124}, {0x2265, 1124}}}};
constexpr FaceMetrics kSerifBold{1825, 443, 87,
    {512, 682, 1137, 1024, 1024, 2048, 1706, 569, 682, 682, 1024, 1167, 512, 682, 512, 569, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 1024, 682, 682, 1167, 1167, 1167, 1024, 1905, 1479, 1366, 1479, 1479, 1366, 1251, 1593, 1593, 797, 1024, 1593, 1366, 1933, 1479, 1593, 1251, 1593, 1479, 1139, 1366, 1479, 1479, 2048, 1479, 1479, 1366, 682, 569, 682, 1190, 1024, 682, 1024, 1139, 909, 1139, 909, 682, 1024, 1139, 569, 682, 1139, 569, 1706, 1139, 1024, 1139, 1139, 909, 797, 682, 1139, 1024, 1479, 1024, 1024, 909, 807, 451, 807, 1065},
    {{{0x00B0, 819}, {0x00B1, 1124}, {0x00B5, 1180}, {0x0393, 1303}, {0x03A9, 1640}, {0x2014, 2048}, {0x2026, 2048}, {0x2220, 1716}, {0x2225, 1084}, {0x2264, 1124}, {0x2265, 1124}}}};
// clang-format on

constexpr double kUnitsPerEm = 2048;

const FaceMetrics& FaceOf(const Font& font) {
    const bool serif = font.family == "Times New Roman";
    if (serif) return font.bold ? kSerifBold : kSerifRegular;
    return font.bold ? kSansBold : kSansRegular;
}

// The next code point of a UTF-8 text; a broken sequence reads as one unknown character.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at++]);
    if (byte < 0x80) return byte;
    int following = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t code = byte & (0x3Fu >> following);
    for (; following > 0 && at < text.size(); --following) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0u) != 0x80u) break;
        code = (code << 6) | (next & 0x3Fu);
        ++at;
    }
    return code;
}

int AdvanceOf(const FaceMetrics& face, char32_t code) {
    if (code >= 32 && code < 127) return face.ascii[code - 32];
    for (const ExtraGlyph& glyph : face.extra) {
        if (glyph.code == code) return glyph.advance;
    }
    return static_cast<int>(kUnitsPerEm); // an unknown character: as wide as an em, to be safe
}

double Em(const Font& font) { return static_cast<double>(font.size); }

} // namespace

double TextWidth(const Font& font, std::string_view text) {
    const FaceMetrics& face = FaceOf(font);
    long units = 0;
    for (std::size_t at = 0; at < text.size();)
        units += AdvanceOf(face, NextCodePoint(text, at));
    return static_cast<double>(units) * Em(font) / kUnitsPerEm;
}

double TextHeight(const Font& font) {
    const FaceMetrics& face = FaceOf(font);
    return (face.ascent + face.descent) * Em(font) / kUnitsPerEm;
}

double LineSpacing(const Font& font) {
    const FaceMetrics& face = FaceOf(font);
    return (face.ascent + face.descent + face.lineGap) * Em(font) / kUnitsPerEm;
}

std::vector<std::string> WrapText(const Font& font, std::string_view text, double width) {
    std::vector<std::string> lines;
    const double blank = TextWidth(font, " ");
    std::size_t paragraphStart = 0;
    while (paragraphStart <= text.size()) {
        auto paragraphEnd = text.find('\n', paragraphStart);
        if (paragraphEnd == std::string_view::npos) paragraphEnd = text.size();
        std::string_view paragraph = text.substr(paragraphStart, paragraphEnd - paragraphStart);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);

        std::string line;
        double lineWidth = 0;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            const auto wordStart = paragraph.find_first_not_of(' ', at);
            if (wordStart == std::string_view::npos) break;
            auto wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
            const double wordWidth = TextWidth(font, word);
            if (!line.empty() && lineWidth + blank + wordWidth > width) {
                lines.push_back(std::move(line));
                line.clear();
                lineWidth = 0;
            }
            if (!line.empty()) {
                line += ' ';
                lineWidth += blank;
            }
            line += word;
            lineWidth += wordWidth;
            at = wordEnd;
        }
        lines.push_back(std::move(line));
        paragraphStart = paragraphEnd + 1;
    }
    return lines;
}

} // namespace vorelin

#pragma once

#include <cstddef>
#include <string_view>

namespace vorelin {

// The letters and words of engineering text that both readings of a value know: the multiplier
// letters and the unit words (F, H, Hz, ohm, ohms, Ω). Text is UTF-8.

inline constexpr std::string_view kMicroSign = "\xC2\xB5"; // µ
inline constexpr std::string_view kGreekMu = "\xCE\xBC";   // μ
inline constexpr std::string_view kOmega = "\xCE\xA9";     // Ω
inline constexpr std::string_view kOhmSign = "\xE2\x84\xA6";

// p P 1e-12, n N 1e-9, u U µ μ 1e-6, m 1e-3, k K 1e3, M 1e6, g G 1e9; 0 for anything else. Only
// m is case-sensitive in meaning.
constexpr double MultiplierOf(std::string_view character) {
    if (character == kMicroSign || character == kGreekMu) return 1e-6;
    if (character.size() != 1) return 0;
    switch (character.front()) {
    case 'p':
    case 'P':
        return 1e-12;
    case 'n':
    case 'N':
        return 1e-9;
    case 'u':
    case 'U':
        return 1e-6;
    case 'm':
        return 1e-3;
    case 'k':
    case 'K':
        return 1e3;
    case 'M':
        return 1e6;
    case 'g':
    case 'G':
        return 1e9;
    default:
        return 0;
    }
}

// The bytes of the character that starts at `at`; a broken UTF-8 sequence counts byte by byte.
constexpr std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0u) != 0x80u) return 1;
    }
    return length;
}

// The length of "ohm" or "ohms" (any case) at the start of `text`, else 0.
constexpr std::size_t OhmWordLength(std::string_view text) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (text.size() < 3 || lower(text[0]) != 'o' || lower(text[1]) != 'h' || lower(text[2]) != 'm') return 0;
    return text.size() > 3 && lower(text[3]) == 's' ? 4 : 3;
}

// Whether a whole word is a unit: F, H, Hz, ohm, ohms in any case, Ω.
constexpr bool IsUnitWord(std::string_view word) {
    if (word == kOmega || word == kOhmSign) return true;
    if (word.size() == OhmWordLength(word) && !word.empty()) return true;
    const auto is = [&word](std::string_view lower) {
        if (word.size() != lower.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c =
                word[i] >= 'A' && word[i] <= 'Z' ? static_cast<char>(word[i] - 'A' + 'a') : word[i];
            if (c != lower[i]) return false;
        }
        return true;
    };
    return is("f") || is("h") || is("hz");
}

} // namespace vorelin

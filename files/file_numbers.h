#pragma once

#include "core/number_text.h"

#include <array>
#include <charconv>
#include <string>

namespace vorelin {

// Numbers in the export files, for other programs to read: a period whatever the locale.

// 9 significant digits, as C's %.9G: every float reads back exactly. 14.2e6f -> "14200000".
inline std::string FileNumber(float value) {
    return DecimalText(static_cast<double>(value), {9, false, true, false});
}
inline std::string FileNumber(double value) { return DecimalText(value, {9, false, true, false}); }

// The shortest text that reads back as exactly this double, its exponent letter in upper case
// like FileNumber's: 0.5 -> "0.5", 1/3 -> "0.3333333333333333", 1e-20 -> "1E-20".
inline std::string ExactNumber(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

} // namespace vorelin

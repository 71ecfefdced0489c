#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vorelin {

namespace {

// %.{digits}G of the magnitude: to_chars follows printf's rules (and its exact rounding) in the
// "C" locale whatever the process locale; only the exponent letter needs upper case.
std::string GeneralMagnitude(double magnitude, int digits) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::general, digits);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

} // namespace

std::string DecimalText(double value, TextForm form) {
    const bool negative = std::signbit(value) && value != 0;
    std::string digits =
        value == 0 ? std::string("0") : GeneralMagnitude(std::fabs(value), form.significantDigits);
    if (!form.leadingZero && digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);

    std::string text;
    if (negative) {
        text = "-";
    } else if (form.signPlace) {
        text = " ";
    }
    text += digits;
    if (form.trailingBlank) text += ' ';
    return text;
}

std::string PlainText(float value) {
    return DecimalText(static_cast<double>(value), {7, false, true, false});
}
std::string SignedText(float value) {
    return DecimalText(static_cast<double>(value), {7, true, false, false});
}
std::string PrintText(float value) { return DecimalText(static_cast<double>(value), {7, true, true, true}); }
std::string PrintText(double value) { return DecimalText(value, {15, true, true, true}); }
std::string HeaderText(float value) {
    return DecimalText(static_cast<double>(value), {7, true, false, true});
}
std::string HeaderText(double value) { return DecimalText(value, {15, true, false, true}); }

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace vorelin

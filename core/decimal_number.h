#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace vorelin {

// The longest prefix of a text that forms a decimal number: an optional sign, digits with an
// optional period and fraction (at least one digit in all), and, where the syntax allows one, an
// exponent introduced by E or e with an optional sign. Only the period separates decimals,
// whatever the locale. The one scanner of the program's number texts: the engineering-value
// parser, the files and the aspect-ratio spinner all read numbers through it.
struct DecimalPrefix {
    std::size_t length = 0; // 0: the text does not start with a number
    double value = 0;       // correctly rounded; a magnitude below the smallest double reads as 0
    bool overflow = false;  // the magnitude lies beyond the largest double; value is 0 then
};

enum class Exponent { Allowed, NotAllowed };

// "12.5abc" -> {4, 12.5}, "-.5e" -> {3, -0.5}, "1e999" -> {5, overflow}, "abc" -> {0, 0};
// without exponents "1e5" -> {1, 1}.
DecimalPrefix ScanDecimalPrefix(std::string_view text, Exponent exponent = Exponent::Allowed);

// A number that the files may store in a float field: the prefix rounded to single precision.
// Numbers whose magnitude rounds beyond the largest float (1e39, 1e999) give nothing: a stored
// value is always finite. Tiny magnitudes round to 0 like any other float rounding.
std::optional<float> ToStoredFloat(const DecimalPrefix& prefix);

// Blanks that a field or a value may start with: the space and the tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without the blanks around it.
constexpr std::string_view WithoutBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace vorelin

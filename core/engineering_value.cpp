#include "core/engineering_value.h"

#include "core/decimal_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace vorelin {

namespace {

constexpr double kLimit = static_cast<double>(kLargestEntry);
constexpr std::size_t kMaxParsedCharacters = 12;

// Keeps the first `count` characters (code points, so a multi-byte character counts once).
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool startsCharacter = (byte & 0xC0u) != 0x80u;
        if (startsCharacter) {
            if (seen == count) return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double MultiplierOf(char letter) {
    switch (letter) {
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number the parser kept: its longest decimal prefix; an overflow keeps its sign.
double ReadNumberText(std::string_view number) {
    const DecimalPrefix prefix = ScanDecimalPrefix(number);
    if (!prefix.overflow) return prefix.value;
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
}

} // namespace

double ParseValue(std::string_view text) {
    const std::string_view kept = FirstCharacters(TrimBlanks(text), kMaxParsedCharacters);

    std::string number;
    double multiplier = 1;
    bool pointSeen = false, exponentSeen = false, letterSeen = false;
    for (const char c : kept) {
        if (IsDigit(c)) {
            if (!letterSeen) number += c;
        } else if (c == '.') {
            if (!letterSeen && !pointSeen) {
                number += c;
                pointSeen = true;
            }
        } else if (c == '+' || c == '-') {
            if (number.empty() || number.back() == 'E') number += c;
        } else if (number.empty()) {
            continue; // exponent and multiplier letters need a number before them
        } else if (c == 'e' || c == 'E') {
            if (!letterSeen && !exponentSeen) {
                number += 'E';
                exponentSeen = pointSeen = true;
            }
        } else if (const double letterValue = MultiplierOf(c); letterValue != 0) {
            if (!exponentSeen && !letterSeen) {
                multiplier = letterValue;
                letterSeen = true;
                number += c;
            }
        }
    }

    const double value = ReadNumberText(number) * multiplier;
    if (value > kLimit) return kLimit;
    if (value < -kLimit) return -kLimit;
    return value;
}

namespace {

// The exact decimal expansion of |value| in fixed notation ("ddd.fff..."); a float needs at
// most 149 fractional digits.
std::string ExactFixedDigits(double magnitude) {
    std::array<char, 512> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, 160);
    return std::string(buffer.data(), result.ptr);
}

// Adds one unit in the last place of a string of decimal digits (no period), growing it on carry.
void IncrementDigits(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |s| rounded to `decimals` places, halves away from zero, then to at most 7 significant digits,
// written without trailing zeros and with a 0 before the period below 1.
std::string RoundedMagnitude(float s, int decimals) {
    const std::string exact = ExactFixedDigits(std::fabs(static_cast<double>(s)));
    const auto point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1); // all digits, point removed
    auto integerDigits = point;

    // Round at `keep` digits: the exact expansion decides, so a half is a half only when the
    // float is exactly representable at that place.
    const auto roundAt = [&digits, &integerDigits](std::size_t keep) {
        if (keep >= digits.size()) return;
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            const auto before = digits.size();
            IncrementDigits(digits);
            integerDigits += digits.size() - before;
        }
    };
    roundAt(integerDigits + static_cast<std::size_t>(decimals));

    constexpr std::size_t kSignificant = 7;
    const auto firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant != std::string::npos && digits.size() - firstSignificant > kSignificant) {
        roundAt(firstSignificant + kSignificant);
        if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
    }

    std::string integerPart = digits.substr(0, integerDigits);
    std::string fraction = digits.substr(integerDigits);
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size()));
    if (integerPart.empty()) integerPart = "0";
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? integerPart : integerPart + "." + fraction;
}

// The pattern's digits of s with a leading minus for negative values; "0" when it rounds to 0.
std::string PatternText(float s, int decimals) {
    std::string magnitude = RoundedMagnitude(s, decimals);
    if (s < 0 && magnitude != "0") magnitude.insert(magnitude.begin(), '-');
    return magnitude;
}

struct Row {
    double threshold; // the row applies from this magnitude up (by widened float vs. double constant)
    double divisor;
    const char* suffix;
};

float Scaled(float value, double divisor) { return static_cast<float>(static_cast<double>(value) / divisor); }

// Part formatters: decimals by the magnitude of s.
int PartDecimals(float s) {
    const double m = std::fabs(static_cast<double>(s));
    if (m > 1000) return 2;
    if (m > 100) return 3;
    if (m > 10) return 4;
    if (m > 1) return 5;
    return 6;
}

std::string FormatPart(float value, const Row* rows, std::size_t count) {
    if (!std::isfinite(value)) return {};
    const double magnitude = std::fabs(static_cast<double>(value));
    for (std::size_t i = 0; i < count; ++i) {
        if (magnitude >= rows[i].threshold) {
            const float s = Scaled(value, rows[i].divisor);
            if (s == 0) return {};
            return PatternText(s, PartDecimals(s)) + rows[i].suffix;
        }
    }
    return {};
}

} // namespace

std::string FormatValue(float value) {
    if (!std::isfinite(value)) return "0.0000  ";
    struct ValueRow {
        double threshold;
        double divisor;
        int decimals;
        const char* suffix;
    };
    static constexpr std::array<ValueRow, 6> kRows{{
        {1e9, 1e9, 3, "G"},
        {1e6, 1e6, 3, "M"},
        {1e3, 1e3, 3, "k"},
        {100, 1, 2, " "},
        {10, 1, 3, " "},
        {1, 1, 4, " "},
    }};
    const double magnitude = std::fabs(static_cast<double>(value));
    for (const auto& row : kRows) {
        if (magnitude >= row.threshold)
            return PatternText(Scaled(value, row.divisor), row.decimals) + row.suffix;
    }
    if (magnitude > 1e-5) return PatternText(value, 5) + " ";
    return "0.0000  ";
}

std::string FormatFrequency(float value) {
    if (!std::isfinite(value)) return "0.0 ";
    static constexpr std::array<Row, 5> kRows{{
        {1e9, 1e9, " G"},
        {1e6, 1e6, " M"},
        {1e3, 1e3, " k"},
        {1, 1, " "},
        {-std::numeric_limits<double>::infinity(), 1e-3, " m"},
    }};
    const auto v = static_cast<double>(value);
    for (const auto& row : kRows) {
        if (v < row.threshold) continue;
        const float s = Scaled(value, row.divisor);
        if (s == 0) return "0.0 ";
        const int decimals = s > 100 ? 2 : s > 10 ? 3 : s > 1 ? 4 : 5;
        std::string digits = RoundedMagnitude(s, decimals);
        if (digits.starts_with("0.")) digits.erase(0, 1);
        const bool negative = s < 0 && digits != "0";
        return (negative ? "-" : " ") + digits + row.suffix;
    }
    return "0.0 "; // not reached: the last row takes every value
}

std::string FormatCapacitance(float value) {
    static constexpr std::array<Row, 7> kRows{{
        {1e7, 1e9, " GF"},
        {1e4, 1e6, " MF"},
        {10, 1e3, " KF"},
        {1, 1, " F"},
        {0.01, 1e-3, " mF"},
        {1e-8, 1e-6, " uF"},
        {1e-14, 1e-12, " pF"},
    }};
    return FormatPart(value, kRows.data(), kRows.size());
}

std::string FormatInductance(float value) {
    static constexpr std::array<Row, 7> kRows{{
        {1e9, 1e9, " GH"},
        {1e6, 1e6, " MH"},
        {1e3, 1e3, " KH"},
        {1, 1, " H"},
        {1e-3, 1e-3, " mH"},
        {1e-6, 1e-6, " uH"},
        {1e-10, 1e-9, " nH"},
    }};
    return FormatPart(value, kRows.data(), kRows.size());
}

} // namespace vorelin

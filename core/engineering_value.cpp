#include "core/engineering_value.h"

#include "core/decimal_number.h"
#include "core/value_letters.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <vector>

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number the parser kept: its longest decimal prefix; an overflow keeps its sign.
double ReadNumberText(std::string_view number, std::size_t& used) {
    const DecimalPrefix prefix = ScanDecimalPrefix(number);
    used = prefix.length;
    if (!prefix.overflow) return prefix.value;
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
}

// What one byte of the text was to the reading.
enum class Role : unsigned char { Read, Blank, Unit, Skipped };

void Mark(std::vector<Role>& roles, std::size_t from, std::size_t to, Role role) {
    std::fill(roles.begin() + static_cast<std::ptrdiff_t>(from),
              roles.begin() + static_cast<std::ptrdiff_t>(to), role);
}

// The runs of skipped characters that are not unit words: "4k7 x" gives {"7", "x"}, "47 pF" none.
std::vector<std::string> SkippedRuns(std::string_view text, const std::vector<Role>& roles) {
    std::vector<std::string> runs;
    for (std::size_t at = 0; at < text.size();) {
        if (roles[at] != Role::Skipped) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && roles[end] == Role::Skipped)
            ++end;
        if (const std::string_view run = text.substr(at, end - at); !IsUnitWord(run)) runs.emplace_back(run);
        at = end;
    }
    return runs;
}

} // namespace

PageReading ReadAsEntriesPage(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    const std::string_view kept = FirstCharacters(trimmed, kMaxParsedCharacters);

    // Each byte's role, so that the reading can tell what it left aside; and for each character
    // of the number text, the byte it came from.
    std::vector<Role> roles(kept.size(), Role::Skipped);
    std::vector<std::size_t> sourceOf;
    std::string number;
    const auto append = [&](char c, std::size_t at) {
        number += c;
        sourceOf.push_back(at);
        roles[at] = Role::Read;
    };
    double multiplier = 1;
    bool pointSeen = false, exponentSeen = false, letterSeen = false;
    for (std::size_t at = 0; at < kept.size();) {
        const std::size_t length = CharacterLength(kept, at);
        const std::string_view character = kept.substr(at, length);
        const char c = kept[at];
        std::size_t next = at + length;
        if (const std::size_t word = OhmWordLength(kept.substr(at)); word > 0) {
            // "ohm" and "ohms" are units: their m is no milli.
            next = at + word;
            Mark(roles, at, next, Role::Unit);
        } else if (character == kOmega || character == kOhmSign) {
            Mark(roles, at, next, Role::Unit);
        } else if (c == ' ' || c == '\t') {
            roles[at] = Role::Blank;
        } else if (IsDigit(c)) {
            if (!letterSeen) append(c, at);
        } else if (c == '.') {
            if (!letterSeen && !pointSeen) {
                append(c, at);
                pointSeen = true;
            }
        } else if (c == '+' || c == '-') {
            if (number.empty() || number.back() == 'E') append(c, at);
        } else if (number.empty()) {
            // exponent and multiplier letters need a number before them
        } else if (c == 'e' || c == 'E') {
            if (!letterSeen && !exponentSeen) {
                append('E', at);
                exponentSeen = pointSeen = true;
            }
        } else if (const double letterValue = MultiplierOf(character); letterValue != 0) {
            if (!exponentSeen && !letterSeen) {
                multiplier = letterValue;
                letterSeen = true;
                number += 'u'; // ends the number text, whatever the letter
                sourceOf.push_back(at);
                Mark(roles, at, next, Role::Read);
            }
        }
        at = next;
    }

    PageReading reading;
    std::size_t used = 0;
    double value = ReadNumberText(number, used) * multiplier;
    if (value > kLimit) value = kLimit;
    if (value < -kLimit) value = -kLimit;
    reading.value = value;
    // Signs, periods and exponent letters that the number text took but its reading did not use.
    for (std::size_t i = used; i < number.size(); ++i) {
        if (!(letterSeen && i + 1 == number.size())) roles[sourceOf[i]] = Role::Skipped;
    }
    reading.ignored = SkippedRuns(kept, roles);
    reading.cut = std::string(trimmed.substr(kept.size()));
    return reading;
}

double ParseValue(std::string_view text) { return ReadAsEntriesPage(text).value; }

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

std::string FormatHertz(float value) {
    static constexpr std::array<Row, 5> kRows{{
        {1e9, 1e9, " GHz"},
        {1e6, 1e6, " MHz"},
        {1e3, 1e3, " kHz"},
        {1, 1, " Hz"},
        {1e-3, 1e-3, " mHz"},
    }};
    return FormatPart(value, kRows.data(), kRows.size());
}

std::string FormatOhms(float value) {
    static constexpr std::array<Row, 5> kRows{{
        {1e9, 1e9, " G\u03A9"},
        {1e6, 1e6, " M\u03A9"},
        {1e3, 1e3, " k\u03A9"},
        {1, 1, " \u03A9"},
        {1e-3, 1e-3, " m\u03A9"},
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

namespace {

// |x| in fixed notation, rounded to `significant` digits: no trailing zeros, a 0 before the period
// below 1 (1234.5678, 3 -> "1230"; 0.000123456, 2 -> "0.00012").
std::string FixedSignificant(double x, int significant) {
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(x),
                                       std::chars_format::scientific, significant - 1);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
    const auto e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e))
        if (c != '.') digits += c;
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    std::string whole = "0", fraction;
    if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
        whole = digits.substr(0, integerDigits);
        fraction = digits.substr(integerDigits);
    } else {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? whole : whole + "." + fraction;
}

} // namespace

std::string FormatKeepingValue(float value, std::string (*formatter)(float)) {
    const std::string shown = formatter(value);
    const auto readsBack = [value](const std::string& text) {
        return static_cast<float>(ParseValue(text)) == value;
    };
    if (shown.empty() || readsBack(shown)) return shown;
    const auto digitsEnd = shown.find_first_not_of("-0123456789.");
    const std::string suffix = digitsEnd == std::string::npos ? std::string() : shown.substr(digitsEnd);
    const double scale = ParseValue("1" + suffix);
    if (scale <= 0) return shown;
    const double scaled = static_cast<double>(value) / scale;
    for (int significant = 1; significant <= 9; ++significant) {
        std::string text = FixedSignificant(scaled, significant) + suffix;
        if (value < 0) text.insert(text.begin(), '-');
        if (readsBack(text)) return text;
    }
    return shown; // no text of this style within the reader's 12 characters holds the value
}

} // namespace vorelin

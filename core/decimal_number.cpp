#include "core/decimal_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace vorelin {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitsFrom(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return end;
}

// The decimal order of magnitude a scanned number would have, saturated far beyond any double:
// only its sign matters, to tell an overflow from an underflow when from_chars reports a range error.
std::int64_t OrderOfMagnitude(std::string_view integerDigits, std::string_view fractionDigits,
                              std::string_view exponentDigits, bool negativeExponent) {
    constexpr std::int64_t kSaturation = std::int64_t{1} << 40;
    std::int64_t exponent = 0;
    for (const char c : exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > kSaturation) {
            exponent = kSaturation;
            break;
        }
    }
    if (negativeExponent) exponent = -exponent;

    const auto firstNonZero = integerDigits.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return exponent + static_cast<std::int64_t>(integerDigits.size() - firstNonZero);
    const auto leadingZeros = fractionDigits.find_first_not_of('0');
    return exponent - static_cast<std::int64_t>(leadingZeros == std::string_view::npos ? 0 : leadingZeros);
}

} // namespace

DecimalPrefix ScanDecimalPrefix(std::string_view text, Exponent exponent) {
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t integerStart = at;
    const std::size_t integerEnd = DigitsFrom(text, integerStart);
    std::size_t fractionStart = integerEnd, fractionEnd = integerEnd, end = integerEnd;
    if (integerEnd < text.size() && text[integerEnd] == '.') {
        fractionStart = integerEnd + 1;
        fractionEnd = DigitsFrom(text, fractionStart);
        end = fractionEnd;
    }
    if (integerEnd == integerStart && fractionEnd == fractionStart) return {}; // no digit at all

    std::size_t exponentStart = end, exponentEnd = end;
    bool negativeExponent = false;
    if (exponent == Exponent::Allowed && end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
        std::size_t digitsAt = end + 1;
        if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-')) {
            negativeExponent = text[digitsAt] == '-';
            ++digitsAt;
        }
        const std::size_t digitsEnd = DigitsFrom(text, digitsAt);
        if (digitsEnd > digitsAt) { // "1e" and "1e+" end the number before the E
            exponentStart = digitsAt;
            exponentEnd = digitsEnd;
            end = digitsEnd;
        }
    }

    DecimalPrefix prefix;
    prefix.length = end;
    // from_chars takes no plus sign; it never looks at the process locale.
    const std::size_t parseFrom = text[0] == '+' ? 1 : 0;
    const auto result = std::from_chars(text.data() + parseFrom, text.data() + end, prefix.value);
    if (result.ec == std::errc::result_out_of_range) {
        const auto order =
            OrderOfMagnitude(text.substr(integerStart, integerEnd - integerStart),
                             text.substr(fractionStart, fractionEnd - fractionStart),
                             text.substr(exponentStart, exponentEnd - exponentStart), negativeExponent);
        prefix.overflow = order > 0;
        prefix.value = negative && !prefix.overflow ? -0.0 : 0.0;
    }
    return prefix;
}

std::optional<float> ToStoredFloat(const DecimalPrefix& prefix) {
    if (prefix.overflow) return std::nullopt;
    // IEEE rounding: a magnitude beyond the largest float (after rounding) becomes infinity.
    const auto stored = static_cast<float>(prefix.value);
    if (!std::isfinite(stored)) return std::nullopt;
    return stored;
}

} // namespace vorelin

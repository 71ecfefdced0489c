#include "core/strict_value.h"

#include "core/decimal_number.h"
#include "core/engineering_value.h"
#include "core/value_letters.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The word that starts at `at`: ASCII letters, or one character outside ASCII.
std::size_t WordEnd(std::string_view text, std::size_t at) {
    if (!IsLetter(text[at])) return at + CharacterLength(text, at);
    while (at < text.size() && IsLetter(text[at]))
        ++at;
    return at;
}

WholeValue Refused(std::string_view why, std::size_t at) { return {0, why, at}; }

// Why the character at `at` cannot stand where the reading is.
std::string_view WhyNot(std::string_view text, std::size_t at, bool letterRead) {
    const char c = text[at];
    if (c == '.') return kValueSecondPeriod;
    if (c == ',') return kValueCommaMark;
    if (IsDigit(c) && letterRead) return kValueDigitsAfterLetter;
    if ((c == 'e' || c == 'E') && letterRead) return kValueExponentAndLetter;
    return kValueUnknownText;
}

} // namespace

WholeValue ReadWholeValue(std::string_view text) {
    std::size_t at = SkipBlanks(text, 0);
    if (at == text.size()) return Refused(kValueEmpty, at);
    const DecimalPrefix number = ScanDecimalPrefix(text.substr(at));
    if (number.length == 0) return Refused(kValueNoDigits, at);
    const std::string_view numberText = text.substr(at, number.length);
    const bool exponent = numberText.find_first_of("eE") != std::string_view::npos;
    at = SkipBlanks(text, at + number.length);

    double multiplier = 1;
    bool letterRead = false;
    if (at < text.size()) {
        const std::size_t end = at + CharacterLength(text, at);
        const double letter = MultiplierOf(text.substr(at, end - at));
        // "m" alone is milli; a letter that starts a unit word ("Hz") is no multiplier.
        if (letter != 0) {
            if (exponent) return Refused(kValueExponentAndLetter, at);
            multiplier = letter;
            letterRead = true;
            at = SkipBlanks(text, end);
        }
    }
    if (at < text.size()) {
        const std::size_t end = WordEnd(text, at);
        if (IsUnitWord(text.substr(at, end - at))) at = SkipBlanks(text, end);
    }
    if (at < text.size()) return Refused(WhyNot(text, at, letterRead), at);

    if (number.overflow) return Refused(kValueBeyondLimit, 0);
    const double value = number.value * multiplier;
    if (!(std::fabs(value) <= static_cast<double>(kLargestEntry))) return Refused(kValueBeyondLimit, 0);
    const bool zeroDigits = numberText.substr(0, numberText.find_first_of("eE")).find_first_of("123456789") ==
                            std::string_view::npos;
    if (static_cast<float>(value) == 0 && !zeroDigits) return Refused(kValueTooSmall, 0);
    return {value, {}, text.size()};
}

std::optional<double> ReadValue(std::string_view text, ValueReading reading) {
    if (reading == ValueReading::AsEntriesPage) return ParseValue(text);
    const WholeValue whole = ReadWholeValue(text);
    if (!whole.Read()) return std::nullopt;
    return whole.value;
}

std::string RefusalText(std::string_view text, const WholeValue& refused) {
    std::string message = "\"" + std::string(text) + "\"";
    const std::string_view rest = text.substr(std::min(refused.at, text.size()));
    if (refused.at > 0 && !rest.empty()) message += " at \"" + std::string(rest) + "\"";
    return message + ": " + std::string(refused.refusal);
}

} // namespace vorelin

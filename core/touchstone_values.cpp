#include "core/touchstone_values.h"

#include "core/decimal_number.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace vorelin {

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// An exponent's digits as a number, saturated far beyond any double's range.
int SaturatedExponent(std::string_view digits) {
    constexpr int kSaturation = 100000;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    int exponent = 0;
    for (const char c : digits)
        exponent = std::min(exponent * 10 + (c - '0'), kSaturation);
    return negative ? -exponent : exponent;
}

} // namespace

std::optional<std::string_view> Words::Next() {
    while (m_at < m_text.size() && IsBlank(m_text[m_at]))
        ++m_at;
    if (m_at == m_text.size()) return std::nullopt;
    const std::size_t start = m_at;
    while (m_at < m_text.size() && !IsBlank(m_text[m_at]))
        ++m_at;
    return m_text.substr(start, m_at - start);
}

std::size_t Words::CountUpTo(std::size_t most) const {
    Words words(m_text);
    std::size_t count = 0;
    while (count < most && words.Next())
        ++count;
    return count;
}

std::string Quoted(std::string_view word) {
    constexpr std::size_t kShown = 24;
    std::string quoted = "\"";
    for (const char c : word.substr(0, kShown))
        quoted += c >= ' ' && c <= '~' ? c : '?';
    if (word.size() > kShown) quoted += "...";
    return quoted + "\"";
}

PlainNumber ReadPlainNumber(std::string_view word, int shift) {
    DecimalPrefix prefix = ScanDecimalPrefix(word);
    if (prefix.length == 0 || prefix.length != word.size())
        return {0, Quoted(word) + " is not a plain number"};
    if (shift != 0) {
        // The shift joins the exponent, so that the decimal text is rounded to a double only once.
        const std::size_t e = word.find_first_of("eE");
        const int exponent = e == std::string_view::npos ? 0 : SaturatedExponent(word.substr(e + 1));
        std::string shifted(word.substr(0, e));
        shifted += 'e';
        shifted += std::to_string(exponent + shift);
        prefix = ScanDecimalPrefix(shifted);
    }
    if (prefix.overflow) return {0, Quoted(word) + " is out of range"};
    return {prefix.value, {}};
}

OptionLineRead ReadOptionLine(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, int>, 4> kUnits{
        {{"HZ", 0}, {"KHZ", 3}, {"MHZ", 6}, {"GHZ", 9}}};
    static constexpr std::array<std::pair<std::string_view, ParameterKind>, 3> kKinds{
        {{"S", ParameterKind::S}, {"Y", ParameterKind::Y}, {"Z", ParameterKind::Z}}};
    static constexpr std::array<std::pair<std::string_view, ParameterFormat>, 3> kFormats{
        {{"MA", ParameterFormat::MagnitudeAngle},
         {"DB", ParameterFormat::DecibelAngle},
         {"RI", ParameterFormat::RealImaginary}}};

    OptionLineRead read;
    bool unit = false, kind = false, format = false, resistance = false;
    // Sets `value` from the table entry named `word`; false when the table has none.
    const auto take = [&read](const auto& table, const std::string& word, auto& value, bool& given,
                              std::string_view what) {
        for (const auto& [name, meaning] : table) {
            if (name != word) continue;
            if (given && read.fault.empty()) read.fault = "the option line gives two " + std::string(what);
            value = meaning;
            given = true;
            return true;
        }
        return false;
    };
    Words words(text);
    while (const auto word = words.Next()) {
        if (!read.fault.empty()) break;
        const std::string upper = Upper(*word);
        if (take(kUnits, upper, read.options.unitExponent, unit, "frequency units") ||
            take(kKinds, upper, read.options.kind, kind, "parameter types") ||
            take(kFormats, upper, read.options.format, format, "formats"))
            continue;
        if (upper == "H" || upper == "G") {
            read.fault = upper + " parameters are not read, only S, Y and Z";
        } else if (upper == "R") {
            const auto value = words.Next();
            const PlainNumber number = value ? ReadPlainNumber(*value) : PlainNumber{0, "none"};
            if (resistance)
                read.fault = "the option line gives two references";
            else if (!number.fault.empty() || !(number.value > 0))
                read.fault = "R needs a positive number after it";
            read.options.resistance = number.value;
            resistance = true;
        } else {
            read.fault = "unknown option " + Quoted(*word);
        }
    }
    return read;
}

std::complex<double> ParameterOfPair(ParameterFormat format, double first, double second) {
    if (format == ParameterFormat::RealImaginary) return {first, second};
    const double magnitude = format == ParameterFormat::DecibelAngle ? std::pow(10.0, first / 20) : first;
    // Whole turns come off exactly before the angle is rounded to radians.
    const double radians = std::remainder(second, 360.0) * (std::numbers::pi / 180);
    return {magnitude * std::cos(radians), magnitude * std::sin(radians)};
}

std::complex<double> GammaAtPort1(ParameterKind kind, double scale, std::complex<double> n11,
                                  double reference, const std::optional<SecondPort>& second) {
    if (kind == ParameterKind::S) return n11;
    const bool impedances = kind == ParameterKind::Z;
    std::complex<double> input = n11 * scale;
    if (second) {
        const double termination = impedances ? second->reference : 1 / second->reference;
        input -= second->transfer * (scale * scale) / (second->n22 * scale + termination);
    }
    if (impedances) return (input - reference) / (input + reference);
    return (1.0 - input * reference) / (1.0 + input * reference);
}

} // namespace vorelin

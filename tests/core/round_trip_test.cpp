#include "core/engineering_value.h"
#include "core/strict_value.h"
#include "tests/support/float_bits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace vorelin {
namespace {

// What a formatter shows parses back to the value, within half a unit of the last digit shown, and
// is read whole.
TEST(Formatters, TextsParseBackToTheShownValue) {
    for (const auto format : {FormatValue, FormatFrequency, FormatCapacitance, FormatInductance}) {
        for (double v = 1.0001e-14; v < 1e9; v *= 1.0379) {
            const auto value = static_cast<float>(v);
            const std::string text = format(value);
            if (text.empty() || text == "0.0000  ") continue; // below the lowest row
            const auto digitsEnd = std::min(text.find_first_not_of(" 0123456789."), text.size());
            const auto period = text.find('.');
            const auto decimals =
                period < digitsEnd ? text.find_first_not_of("0123456789", period + 1) - period - 1 : 0;
            const double multiplier = ParseValue("1" + text.substr(digitsEnd));
            const double halfUnit = 0.5 * std::pow(10.0, -static_cast<double>(decimals)) * multiplier;
            EXPECT_NEAR(ParseValue(text), v, halfUnit * (1 + 1e-9) + v * 1e-7) << text;
            EXPECT_TRUE(ReadWholeValue(text).Read()) << text; // files hold what the formatters write
        }
    }
}

// A box written with FormatKeepingValue reads back to its value in its formatter's style (the same
// suffix; the formatter's own text where that reads back already); only where no such text fits the
// reader's 12 characters (a float may need 9 digits) does the formatter's text stay.
TEST(Formatters, KeepingTextsReadBackToTheirValue) {
    int notKept = 0;
    const auto suffix = [](const std::string& text) {
        return text.substr(text.find_first_not_of("-.0123456789"));
    };
    for (double v = 1.0001; v < 1e10; v *= 1.00731) {
        for (const auto format : {FormatValue, FormatCapacitance, FormatInductance}) {
            const auto value = static_cast<float>(format == FormatValue ? v : v * 1e-13);
            const std::string shown = format(value), text = FormatKeepingValue(value, format);
            const bool kept = static_cast<float>(ParseValue(text)) == value;
            notKept += !kept;
            EXPECT_TRUE(kept ? suffix(text) == suffix(shown) : text == shown) << text;
            EXPECT_TRUE(static_cast<float>(ParseValue(shown)) != value || text == shown) << text;
        }
    }
    EXPECT_LT(notKept, 1300); // of 9,500: 8 or 9 digits behind "0.0" ("0.012345678 uF" reads as 0.01)
}

// On texts of at most 12 characters the whole reading agrees bit for bit with the entries page's,
// wherever it reads at all.
TEST(WholeReading, AgreesWithTheEntriesPage) {
    std::mt19937 random(1207);
    constexpr std::string_view kAlphabet = "0123456789012345.+-eE pnumkMGFHzohs,x";
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1), length(1, 12);
    int read = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n)
            text += kAlphabet[pick(random)];
        if (const WholeValue whole = ReadWholeValue(text); whole.Read()) {
            ++read;
            EXPECT_EQ(test::Bits(whole.value), test::Bits(ParseValue(text))) << text;
        }
    }
    EXPECT_GT(read, 2000);
}

} // namespace
} // namespace vorelin

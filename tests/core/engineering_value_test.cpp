#include "core/engineering_value.h"

#include "float_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vorelin {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    double expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }

const ParseCase kParseCases[] = {
    {"Empty", "", 0},
    {"Blanks", "     ", 0},
    {"LoneMinus", "-", 0},
    {"LonePeriod", ".", 0},
    {"Mega", "4M", 4e6},
    {"Milli", "4m", 0.004},
    {"UnitIgnored", "4MHz", 4e6},
    {"BlankInside", "7.05 M", 7.05e6},
    {"Pico", "47p", 47e-12},
    {"PicoUpper", "47P", 47e-12},
    {"Exponent", "47e-12", 47e-12},
    {"ExponentUpper", "47E-12", 47e-12},
    {"PicoFarad", "47 pF", 47e-12},
    {"Micro", "22u", 22e-6},
    {"Kilo", "1200k", 1.2e6},
    {"Plain", "1.2e6", 1.2e6},
    {"Giga", "1.2G", 1.2e9},
    {"GigaLower", "1.2g", 1.2e9},
    {"DigitsAfterLetterIgnored", "4k7", 4000},
    {"SecondPeriodDropped", "1.2.3", 1.23},
    {"SignInsideDropped", "12-3", 123},
    {"ExponentBeforeDigitsIgnored", "e5", 5},
    {"SecondExponentIgnored", "1e5e3", 1e10},
    {"CommaIgnored", "4,7", 47},
    {"CutToTwelveCharacters", "123456789012345", 1e10},
    {"TwelveCharactersKept", "  1234.5678901234  ", 1234.5678901},
    {"NegativeLimit", "-5e20", -1e10},
    {"Overflow", "9E999", 1e10},
    {"NegativeOverflowKeepsSign", "-9E999", -1e10},
    {"Underflow", "1e-999", 0},
    {"Nano", "100n", 100e-9},
    {"NanoUpper", "100N", 100e-9},
    {"MicroUpper", "2.2U", 2.2e-6},
    {"KiloUpper", "3K", 3000},
    {"LeadingPeriod", ".5", 0.5},
    {"TrailingPeriod", "5.", 5},
    {"PlusSign", "+50", 50},
    {"NegativeValue", "-12.5", -12.5},
    {"ExponentWithoutDigits", "3E", 3},
    {"ExponentSignWithoutDigits", "3E-", 3},
    {"LetterAfterExponentIgnored", "1e3k", 1000},
    {"NoPeriodAfterExponent", "1e-2.5", 1e-25},
    {"SecondLetterIgnored", "2kM", 2000},
    {"SignAfterLetterIgnored", "2k-", 2000},
    {"MilliHidesInOhms", "about 50 ohms", 0.05},
    {"NonAscii", "22\xC2\xB5H", 22},
    {"MultiplierOnNothing", "M", 0},
    {"MinusThenExponentHasNoDigits", "-e5", 0},
    {"UpperLimit", "1e10", 1e10},
    {"JustAboveLimit", "10000000001", 1e10},
    {"MultiplierOverflow", "9E307G", 1e10},
};

class ParseValueCases : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseValueCases, ReadsTheText) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(ParseValue(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseValueCases, testing::ValuesIn(kParseCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ParseValue, ProductIsTakenInDoublePrecision) {
    // The number and the multiplier are multiplied in double precision; the caller rounds.
    EXPECT_EQ(ParseValue("47p"), 47.0 * 1e-12);
    EXPECT_EQ(ParseValue("2.2u"), 2.2 * 1e-6);
    EXPECT_EQ(ParseValue("14.2M"), 14.2 * 1e6);
}

struct FormatCase {
    const char* name;
    float value;
    const char* expected;
};

const FormatCase kValueCases[] = {
    {"FourMega", 4e6f, "4M"},
    {"FourteenPointTwoMega", 14.2e6f, "14.2M"},
    {"OnePointEightMega", 1.8e6f, "1.8M"},
    {"Fifty", 50, "50 "},
    {"SevenPointZeroFiveMega", 7050000, "7.05M"},
    {"Zero", 0, "0.0000  "},
    {"Giga", 1.5e9f, "1.5G"},
    {"Kilo", 2500, "2.5k"},
    {"Hundreds", 123.456f, "123.46 "},
    {"Tens", 12.3456f, "12.346 "},
    {"Ones", 1.23456f, "1.2346 "},
    {"Fraction", 0.5f, "0.5 "},
    {"SmallFraction", 0.000123456f, "0.00012 "},
    {"FloatOfLowerLimitLiesBelowIt", 1e-5f, "0.0000  "},
    {"JustAboveLowerLimit", 1.1e-5f, "0.00001 "},
    {"BelowLowerLimit", 9e-6f, "0.0000  "},
    {"Negative", -50, "-50 "},
    {"NegativeMega", -4e6f, "-4M"},
    {"RoundsToNextDecade", 999999.9f, "1000k"},
    {"HalfAwayFromZero", 2.5f, "2.5 "},
    {"ExactHalfAtPattern", 100.125f, "100.13 "},
    {"BelowAHalf", 100.015f, "100.01 "},
    {"AboveAHalf", 100.025f, "100.03 "},
    {"TenBillion", 1e10f, "10G"},
    {"Infinity", INFINITY, "0.0000  "},
};

const FormatCase kFrequencyCases[] = {
    {"FourteenPointTwoMega", 14.2e6f, " 14.2 M"},
    {"SevenPointZeroFiveMega", 7.05e6f, " 7.05 M"},
    {"Zero", 0, "0.0 "},
    {"Giga", 2.4e9f, " 2.4 G"},
    {"Kilo", 455e3f, " 455 k"},
    {"Hertz", 60, " 60 "},
    {"OneHertz", 1, " 1 "},
    {"Milli", 0.5f, " 500 m"},
    {"SmallMilli", 0.0005f, " .5 m"},
    {"HundredKiloPattern", 100e3f, " 100 k"},
    {"AboveHundred", 100.5e3f, " 100.5 k"},
    {"FourDecimalsUpToTen", 1.23456e6f, " 1.2346 M"},
    {"FiveDecimalsAtOne", 1e6f, " 1 M"},
    {"Negative", -2, "-2000 m"},
    {"NegativeBeyondSevenDigits", -1e10f, "-10000000000000 m"},
    {"NegativeInfinity", -INFINITY, "0.0 "},
};

const FormatCase kCapacitanceCases[] = {
    {"FortySevenPico", 47e-12f, "47 pF"},
    {"FourPointSevenNano", 4.7e-9f, "4700 pF"},
    {"PointOneMicro", 0.1e-6f, "0.1 uF"},
    {"TenNanoJustBelowDecade", 10e-9f, "10000 pF"},
    {"FiveMilli", 5e-3f, "5000 uF"},
    {"Zero", 0, ""},
    {"BelowLowestRow", 9e-15f, ""},
    {"FloatOfLowestRowLiesBelowIt", 1e-14f, ""},
    {"LowestRow", 1.5e-14f, "0.015 pF"},
    {"OneFarad", 1, "1 F"},
    {"TwentyMilli", 0.02f, "20 mF"},
    {"Kilo", 47, "0.047 KF"},
    {"Mega", 2e4f, "0.02 MF"},
    {"Giga", 1e8f, "0.1 GF"},
    {"SixDecimals", 0.123456789e-12f, "0.123457 pF"},
    {"ThreeDecimals", 150.123456e-12f, "150.123 pF"},
    {"FourDecimals", 15.1234567e-12f, "15.1235 pF"},
    {"FiveDecimals", 1.51234567e-12f, "1.51235 pF"},
    {"TwoDecimals", 1500.12345e-12f, "1500.12 pF"},
    {"Negative", -47e-12f, "-47 pF"},
    {"NotANumber", NAN, ""},
};

const FormatCase kInductanceCases[] = {
    {"TwoPointTwoMicro", 2.2e-6f, "2.2 uH"},
    {"OneMicroJustBelowDecade", 1e-6f, "1000 nH"},
    {"Zero", 0, ""},
    {"BelowLowestRow", 9e-11f, ""},
    {"LowestRow", 1e-10f, "0.1 nH"},
    {"Milli", 2.5e-3f, "2.5 mH"},
    {"Henry", 3, "3 H"},
    {"Kilo", 4e3f, "4 KH"},
    {"Mega", 5e6f, "5 MH"},
    {"Giga", 6e9f, "6 GH"},
    {"Nano", 330e-9f, "330 nH"},
    {"Negative", -2.2e-6f, "-2.2 uH"},
    {"Infinity", INFINITY, ""},
};

std::string Format(const std::string& formatter, float value) {
    if (formatter == "Value") return FormatValue(value);
    if (formatter == "Frequency") return FormatFrequency(value);
    if (formatter == "Capacitance") return FormatCapacitance(value);
    return FormatInductance(value);
}

TEST(Formatters, WriteTheExpectedTexts) {
    const struct {
        const char* formatter;
        const FormatCase* cases;
        std::size_t count;
    } kTables[] = {
        {"Value", kValueCases, std::size(kValueCases)},
        {"Frequency", kFrequencyCases, std::size(kFrequencyCases)},
        {"Capacitance", kCapacitanceCases, std::size(kCapacitanceCases)},
        {"Inductance", kInductanceCases, std::size(kInductanceCases)},
    };
    for (const auto& table : kTables) {
        for (std::size_t i = 0; i < table.count; ++i) {
            const auto& c = table.cases[i];
            EXPECT_EQ(Format(table.formatter, c.value), c.expected) << table.formatter << '/' << c.name;
        }
    }
}

// What a formatter shows parses back to the value, within half a unit of the last digit shown.
TEST(Formatters, TextsParseBackToTheShownValue) {
    for (const char* formatter : {"Value", "Frequency", "Capacitance", "Inductance"}) {
        for (double v = 1.0001e-14; v < 1e9; v *= 1.0379) {
            const auto value = static_cast<float>(v);
            const std::string text = Format(formatter, value);
            if (text.empty() || text == "0.0000  ") continue; // below the lowest row
            const auto digitsEnd = text.find_first_not_of(" 0123456789.");
            const auto period = text.find('.');
            const auto decimals =
                period < digitsEnd
                    ? static_cast<int>(text.find_first_not_of("0123456789", period + 1) - period - 1)
                    : 0;
            const double multiplier = ParseValue("1" + text.substr(std::min(digitsEnd, text.size())));
            const double halfUnit = 0.5 * std::pow(10.0, -decimals) * multiplier;
            EXPECT_NEAR(ParseValue(text), static_cast<double>(value), halfUnit * (1 + 1e-9) + v * 1e-7)
                << formatter << " '" << text << "'";
        }
    }
}

} // namespace
} // namespace vorelin

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace vorelin {
namespace {

struct FormCase {
    const char* name;
    double value;
    const char* plain;
    const char* signedForm;
    const char* print;
    const char* header;
};

void PrintTo(const FormCase& c, std::ostream* out) { *out << c.name; }

// Single-precision values: 7 significant digits, exponent form where %.7G would use it.
const FormCase kFloatCases[] = {
    {"Whole", 50, "50", " 50", " 50 ", " 50 "},
    {"Fraction", 25.3, "25.3", " 25.3", " 25.3 ", " 25.3 "},
    {"BelowOne", 0.75, "0.75", " .75", " 0.75 ", " .75 "},
    {"NegativeBelowOne", -0.5, "-0.5", "-.5", "-0.5 ", "-.5 "},
    {"NegativeWhole", -4, "-4", "-4", "-4 ", "-4 "},
    {"Zero", 0, "0", " 0", " 0 ", " 0 "},
    {"NegativeZero", -0.0, "0", " 0", " 0 ", " 0 "},
    {"SevenDigits", 1234567, "1234567", " 1234567", " 1234567 ", " 1234567 "},
    {"EightDigitsGoExponent", 14.2e6, "1.42E+07", " 1.42E+07", " 1.42E+07 ", " 1.42E+07 "},
    {"TenMillion", 1e7, "1E+07", " 1E+07", " 1E+07 ", " 1E+07 "},
    {"SmallExponent", 4.7e-11, "4.7E-11", " 4.7E-11", " 4.7E-11 ", " 4.7E-11 "},
    {"TenThousandth", 0.0001, "0.0001", " .0001", " 0.0001 ", " .0001 "},
    {"BelowTenThousandth", 0.00001, "1E-05", " 1E-05", " 1E-05 ", " 1E-05 "},
    {"FloatNoise", 0.1, "0.1", " .1", " 0.1 ", " .1 "},
    {"RoundsUp", 2.9999999, "3", " 3", " 3 ", " 3 "},
    {"Hundredths", 1.5, "1.5", " 1.5", " 1.5 ", " 1.5 "},
    {"BigExponent", 1e10, "1E+10", " 1E+10", " 1E+10 ", " 1E+10 "},
};

class FloatForms : public testing::TestWithParam<FormCase> {};

TEST_P(FloatForms, WriteEveryForm) {
    const auto& c = GetParam();
    const auto value = static_cast<float>(c.value);
    EXPECT_EQ(PlainText(value), c.plain);
    EXPECT_EQ(SignedText(value), c.signedForm);
    EXPECT_EQ(PrintText(value), c.print);
    EXPECT_EQ(HeaderText(value), c.header);
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatForms, testing::ValuesIn(kFloatCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DoubleForms, FifteenDigits) {
    EXPECT_EQ(HeaderText(14000000.0 * 0.99), " 13860000 ");
    EXPECT_EQ(HeaderText(14000000.0 * 1.01), " 14140000 ");
    EXPECT_EQ(PrintText(1000000.0), " 1000000 ");
    EXPECT_EQ(PrintText(1.2), " 1.2 ");
    EXPECT_EQ(HeaderText(0.5), " .5 ");
    EXPECT_EQ(PrintText(1e15), " 1E+15 ");
    EXPECT_EQ(PrintText(123456789012345.0), " 123456789012345 ");
    // The frequency 14.2 MHz widened from its float: 1.01 times it in double.
    EXPECT_EQ(HeaderText(static_cast<double>(14.2e6f) * 1.01), " 14342000 ");
}

TEST(DecimalText, ExactTiesGoToEven) {
    // 0.125 is exact; at 2 significant digits the tie goes to the even digit.
    EXPECT_EQ(DecimalText(0.125, {2, false, true, false}), "0.12");
    EXPECT_EQ(DecimalText(0.375, {2, false, true, false}), "0.38");
}

TEST(DecimalText, IgnoresTheProcessLocale) {
    const char* chosen = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (chosen == nullptr) chosen = std::setlocale(LC_ALL, "fr_FR.UTF-8");
    EXPECT_EQ(PlainText(0.75f), "0.75");
    EXPECT_EQ(PrintText(-2.5f), "-2.5 ");
    EXPECT_EQ(HeaderText(13860000.5), " 13860000.5 ");
    std::setlocale(LC_ALL, "C");
    if (chosen == nullptr) GTEST_SKIP() << "no decimal-comma locale installed";
}

TEST(Trimmed, RemovesOuterBlanksOnly) {
    EXPECT_EQ(Trimmed("  .5 "), ".5");
    EXPECT_EQ(Trimmed(" a b "), "a b");
    EXPECT_EQ(Trimmed("   "), "");
    EXPECT_EQ(Trimmed(""), "");
}

} // namespace
} // namespace vorelin

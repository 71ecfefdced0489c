#include "files/decimal_number.h"

#include "tests/core/float_bits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

namespace vorelin {
namespace {

TEST(ScanDecimalPrefix, TakesTheLongestNumber) {
    const struct {
        const char* name;
        std::string text;
        std::size_t length;
        double value;
        bool overflow;
    } kCases[] = {
        {"Whole", "50", 2, 50, false},
        {"TrailingText", "12.5abc", 4, 12.5, false},
        {"TrailingBlank", "14200000 ", 8, 14200000, false},
        {"NoZeroBeforePeriod", ".75", 3, 0.75, false},
        {"PeriodLast", "5.", 2, 5, false},
        {"PlusSign", "+3", 2, 3, false},
        {"MinusBelowOne", "-.5e", 3, -0.5, false},
        {"ExponentUpper", "1.4E+07", 7, 1.4e7, false},
        {"ExponentLower", "4.7e-11", 7, 4.7e-11, false},
        {"ExponentWithoutDigits", "1e", 1, 1, false},
        {"ExponentSignWithoutDigits", "1E+x", 1, 1, false},
        {"SecondPeriodEnds", "1.2.3", 3, 1.2, false},
        {"CommaIsNoSeparator", "1,5", 1, 1, false},
        {"HexIsNotRead", "0x10", 1, 0, false},
        {"ManyDigits", "3.14159265358979323846264338327950288", 37, 3.141592653589793, false},
        {"NoDigits", ".", 0, 0, false},
        {"SignOnly", "-", 0, 0, false},
        {"LeadingBlankIsNoNumber", " 5", 0, 0, false},
        {"ExponentOnly", "e5", 0, 0, false},
        {"NotANumberWord", "nan", 0, 0, false},
        {"InfinityWord", "inf", 0, 0, false},
        {"InfinityWordSigned", "-infinity", 0, 0, false},
        {"Empty", "", 0, 0, false},
        {"BeyondDouble", "1e999", 5, 0, true},
        {"BeyondDoubleNegative", "-1e999", 6, 0, true},
        {"BeyondDoubleByDigits", "1" + std::string(400, '0'), 401, 0, true},
        {"HugeExponent", "2e99999999999999999999999", 25, 0, true},
        {"BelowDouble", "1e-999", 6, 0, false},
        {"BelowDoubleByZeros", "0." + std::string(400, '0') + "1", 403, 0, false},
        {"HugeNegativeExponent", "2e-99999999999999999999999", 26, 0, false},
        {"ZeroWithHugeExponent", "0e99999999999999999999999", 25, 0, false},
        {"DigitsCancelExponent", "1" + std::string(500, '0') + "e-495", 506, 1e5, false},
    };
    for (const auto& c : kCases) {
        const DecimalPrefix prefix = ScanDecimalPrefix(c.text);
        EXPECT_EQ(prefix.length, c.length) << c.name;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(prefix.value), std::bit_cast<std::uint64_t>(c.value))
            << c.name;
        EXPECT_EQ(prefix.overflow, c.overflow) << c.name;
    }
    // An underflow keeps its sign, as any rounding towards zero does.
    EXPECT_TRUE(std::signbit(ScanDecimalPrefix("-1e-999").value));
}

TEST(ToStoredFloat, OnlyFiniteFloats) {
    const struct {
        const char* name;
        const char* text;
        std::optional<std::uint32_t> bits;
    } kCases[] = {
        {"RoundedOnce", "0.1", 0x3DCCCCCD},
        {"LargestFloat", "3.4028234e38", 0x7F7FFFFF},
        {"RoundsDownToLargest", "3.40282356e38", 0x7F7FFFFF},
        {"RoundsUpBeyondFloat", "3.40282357e38", std::nullopt},
        {"BeyondFloat", "1e39", std::nullopt},
        {"BeyondFloatNegative", "-1e39", std::nullopt},
        {"BeyondDouble", "1e999", std::nullopt},
        {"SubnormalKept", "1e-40", 0x000116C2},
        {"TooSmallIsZero", "1e-50", 0x00000000},
        {"TooSmallNegativeIsNegativeZero", "-1e-50", 0x80000000},
        {"BelowDoubleIsZero", "1e-999", 0x00000000},
    };
    for (const auto& c : kCases) {
        const auto stored = ToStoredFloat(ScanDecimalPrefix(c.text));
        ASSERT_EQ(stored.has_value(), c.bits.has_value()) << c.name;
        if (stored) {
            EXPECT_EQ(test::Bits(*stored), *c.bits) << c.name;
        }
    }
}

} // namespace
} // namespace vorelin

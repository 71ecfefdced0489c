#include "core/engineering_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace vorelin {
namespace {

// What a formatter shows parses back to the value, within half a unit of the last digit shown.
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
        }
    }
}

} // namespace
} // namespace vorelin

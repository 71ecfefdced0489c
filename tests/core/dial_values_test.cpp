#include "core/band_prediction.h"
#include "core/dial_values.h"
#include "core/engineering_value.h"
#include "core/topology.h"

#include "tests/support/decimal_comma_locale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorelin {
namespace {

// The digits a dial is set to, in the grid's style, whatever the process locale.
TEST(DialValues, FourDigitsInTheGridsStyle) {
    const test::DecimalCommaLocale comma;
    const struct {
        float value;
        const char* text;
    } kCases[] = {
        {92.97034e-12f, "92.97p"},
        {3.014926e-6f, "3.015u"},
        {100e-12f, "100p"},
        {2.2e-6f, "2.2u"},
        {1234.5e-12f, "1.234n"},
        {999.98e-12f, "1n"},
        {999.94e-12f, "999.9p"},
        {0.5e-12f, "0.5p"},
        {47e-3f, "47m"},
        {12.5f, "12.5"},
        {0, "0"},
        {-4.7e-12f, "-4.7p"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(DialValueText(c.value), c.text) << c.value;
}

// A predicted row's parts read back within half a unit of their fourth digit, and its load is the
// one those values give.
TEST(DialValues, PredictedRowHoldsDialValues) {
    const BandTable table =
        ReadBandTable("frequency,topology,impedance,c1,c3,l2\n7.0M,7,50,301.234p,612.3456p,2.61234u\n"
                      "7.2M,7,50,322.3456p,650.9876p,2.55u\n")
            .table;
    const BandPrediction prediction = PredictBandRow(table, 7.1e6f);
    ASSERT_TRUE(prediction.Ok()) << prediction.reason;
    for (const PartSlot& part : PartsOf(7)) {
        const std::string& text = prediction.row.cells[static_cast<std::size_t>(*ColumnNamed(part.name))];
        const double read = ParseValue(text), designed = static_cast<double>(prediction.entries.*part.value);
        EXPECT_LE(std::fabs(read - designed), 0.0005 * designed) << text;
        EXPECT_LE(text.find_first_of("pnu"), 6u) << text; // at most four digits and a period
        EXPECT_EQ(prediction.row.entries.*part.value, static_cast<float>(read));
    }
}

} // namespace
} // namespace vorelin

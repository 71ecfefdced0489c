#include "core/band_prediction.h"

#include "core/design.h"
#include "core/engineering_value.h"
#include "core/topology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <numbers>

namespace vorelin {
namespace {

using Complex = std::complex<double>;

// A short antenna near its resonance: a series RLC load of 25 ohms, 5 uH and 100 pF.
Load Antenna(double frequency) {
    const double omega = 2 * std::numbers::pi * frequency;
    return {25, static_cast<float>(omega * 5e-6 - 1 / (omega * 100e-12))};
}

Complex Gamma(const Load& load) {
    return (Complex(load.LoadR, load.LoadX) - 50.0) / (Complex(load.LoadR, load.LoadX) + 50.0);
}

Load LoadOf(Complex gamma) {
    const Complex z = 50.0 * (1.0 + gamma) / (1.0 - gamma);
    return {static_cast<float>(z.real()), static_cast<float>(z.imag())};
}

// The row a user writes after tuning `topology` to `load` at `megahertz`, as the table keeps it.
BandRow Tuned(double megahertz, const Load& load, int topology = 7, double q = 3) {
    const auto f = static_cast<float>(megahertz * 1e6);
    return BandRowFromEntries(
        DesignNetwork(topology, {load.LoadR, load.LoadX, 50, f}, {.loadedQ = q}).solutions.at(0).entries);
}

BandTable Band(std::initializer_list<double> megahertz) {
    BandTable table;
    for (const double f : megahertz)
        table.rows.push_back(Tuned(f, Antenna(f * 1e6)));
    return table;
}

TEST(BandPrediction, BetweenTwoTunedRowsFollowsTheAntenna) {
    const BandTable table = Band({7.0, 7.1, 7.2, 7.3});
    const BandPrediction p = PredictBandRow(table, 7.15e6f);
    ASSERT_TRUE(p.Ok()) << p.reason;
    EXPECT_LT(std::abs(Gamma(p.load) - Gamma(Antenna(7.15e6))), 0.005);
    EXPECT_TRUE(p.below == 1 && p.above == 2) << p.below << " " << p.above;
    EXPECT_EQ(p.row.Cell(BandColumn::Note), kPredictionNote);
    EXPECT_EQ(p.row.Cell(BandColumn::Frequency), "7.15M");
    // The rows change L2 least here; it is held between its neighbours' values, the others follow.
    ASSERT_EQ(p.heldPart, "L2");
    const auto [low, high] = std::minmax(table.rows[1].entries.L2, table.rows[2].entries.L2);
    EXPECT_TRUE(p.entries.L2 > low && p.entries.L2 < high) << p.entries.L2;
}

TEST(BandPrediction, MisreadRowIsFlagged) {
    BandTable table = Band({6.9, 7.0, 7.1, 7.2, 7.3, 7.4});
    EXPECT_TRUE(MisreadRows(table, 2).empty());
    // C1 read a quarter too high: its neighbours' trends bend by half as much, and are not flagged.
    BandCells misread = table.rows[3].cells;
    misread[static_cast<std::size_t>(BandColumn::C1)] = FormatCapacitance(table.rows[3].entries.C1 * 1.25f);
    table.rows[3] = BandRowFromCells(misread);
    const std::vector<MisreadRow> flagged = MisreadRows(table, 2);
    ASSERT_EQ(flagged.size(), 1u);
    EXPECT_EQ(flagged[0].row, 3u);
    EXPECT_GT(flagged[0].deviation, flagged[0].allowance);
    // At 5 % the tolerance areas are wide enough to hold the same reading.
    EXPECT_TRUE(MisreadRows(table, 5).empty());
}

TEST(BandPrediction, Reasons) {
    BandTable mixed = Band({7.0, 7.1}), impedances = mixed, predicted = mixed;
    mixed.rows[1] = Tuned(7.1, Antenna(7.1e6), 8);
    impedances.rows[1].entries.Impedance = 75;
    predicted.rows[1].cells[static_cast<std::size_t>(BandColumn::Note)] = kPredictionNote;
    // This L network matches both loads, but not the one between them (inside the R = Z0 circle).
    const BandTable across{{Tuned(7.0, LoadOf({-0.6, 0.1}), 2), Tuned(7.2, LoadOf({0.7, -0.5}), 2)}};
    const struct {
        BandTable table;
        float frequency;
        std::string_view reason;
    } cases[] = {
        {Band({7.0, 7.1}), 0, kReasonBadFrequency},
        {Band({7.0}), 7.0e6f, kPredictionTooFewRows},
        {Band({7.0, 7.1}), 6.99e6f, kPredictionOutsideRange},
        {Band({7.0, 7.1}), 7.11e6f, kPredictionOutsideRange},
        {mixed, 7.05e6f, kPredictionMixedTopologies},
        {impedances, 7.05e6f, kPredictionMixedImpedances},
        {predicted, 7.05e6f, kPredictionTooFewRows}, // a prediction is no tuned row
        {across, 7.1e6f, kReasonInsideRCircle},
        {Band({7.0, 7.1}), 7.1e6f, ""}, // the highest tuned frequency gives its row back
    };
    for (const auto& c : cases)
        EXPECT_EQ(PredictBandRow(c.table, c.frequency).reason, c.reason) << c.frequency;
    // Held at its interpolated value, L2 (which changes least here) leaves no match; C3 does.
    const BandTable jump{{Tuned(7.0, LoadOf({0.73, 0.15}), 7, 2.5), Tuned(7.2, LoadOf({0.3, 0.26}), 7, 1.9)}};
    EXPECT_EQ(PredictBandRow(jump, 7.1e6f).heldPart, "C3");
}

} // namespace
} // namespace vorelin

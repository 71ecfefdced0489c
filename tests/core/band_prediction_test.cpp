#include "core/band_prediction.h"

#include "core/design.h"
#include "core/engineering_value.h"
#include "core/load_figures.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"
#include "tests/support/antenna_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace vorelin {
namespace {

using Complex = std::complex<double>;
using test::AntennaSystem;

Complex Gamma(const Load& load, double z0 = 50) {
    const Complex z(load.LoadR, load.LoadX);
    return (z - z0) / (z + z0);
}

Load LoadOf(Complex gamma) {
    const Complex z = 50.0 * (1.0 + gamma) / (1.0 - gamma);
    return {static_cast<float>(z.real()), static_cast<float>(z.imag())};
}

// The row a user writes after tuning `topology` to `load` (at the design's default Q, or at
// `q`), as the table keeps it; a row with no note and a blank frequency when no design exists.
BandRow Tuned(double hertz, Complex load, int topology = 7, std::optional<double> q = {}) {
    const auto f = static_cast<float>(hertz);
    const Design design = DesignNetwork(
        topology, {static_cast<float>(load.real()), static_cast<float>(load.imag()), 50, f}, {.loadedQ = q});
    if (design.solutions.empty()) return {};
    return BandRowFromEntries(design.solutions.front().entries);
}

// The model's band from `low` to `high` in steps; empty when a row has no design.
BandTable Band(const AntennaSystem& antenna, double low, double high, double step, int topology = 7) {
    BandTable table;
    for (double f = low; f <= high + 1; f += step) {
        table.rows.push_back(Tuned(f, antenna.Impedance(f), topology));
        if (table.rows.back().cells[0].empty()) return {};
    }
    return table;
}

// The model of the tests: a dipole resonant at 7.1 MHz behind 20 m of coax.
const AntennaSystem kFortyMetreDipole{};

// Far apart, the feedline turns Gamma by tens of degrees: the polar trend follows it where the
// chord between the rows cuts across (by 0.088 and 0.047 in Gamma for these two).
TEST(BandPrediction, FollowsTheFeedlineBetweenDistantRows) {
    const struct { double low, high; } spans[] = {{28.0e6, 28.8e6}, {3.5e6, 4.0e6}};
    for (const auto& [low, high] : spans) {
        for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
            const BandTable table{{Tuned(low, kFortyMetreDipole.Impedance(low), topology),
                                   Tuned(high, kFortyMetreDipole.Impedance(high), topology)}};
            if (table.rows[0].cells[0].empty() || table.rows[1].cells[0].empty()) continue;
            const auto middle = static_cast<float>((low + high) / 2);
            const BandPrediction p = PredictBandRow(table, middle);
            ASSERT_TRUE(p.Ok()) << topology << " " << p.reason;
            const double error =
                std::abs(Gamma(p.load) - kFortyMetreDipole.Gamma(static_cast<double>(middle)));
            EXPECT_LT(error, 1e-3) << topology << " at " << middle;
            EXPECT_TRUE(p.below == 0 && p.above == 1);
            // The settings give the interpolated load back.
            const Load back = RunNetwork(p.entries).load;
            EXPECT_LT(std::abs(Complex(back.LoadR, back.LoadX) - Complex(p.load.LoadR, p.load.LoadX)),
                      1e-4 * std::abs(Complex(p.load.LoadR, p.load.LoadX)));
        }
    }
}

TEST(BandPrediction, ChoosesItsRows) {
    const auto row = [](double f, int topology) {
        return Tuned(f, kFortyMetreDipole.Impedance(f), topology);
    };
    const BandTable table{{row(7.0e6, 7), row(7.05e6, 5), row(7.1e6, 7), row(7.2e6, 5)}};
    // A frequency a row holds: that row is the answer (a second row there would make two).
    const BandPrediction onRow = PredictBandRow(table, 7.1e6f);
    EXPECT_EQ(onRow.reason, kPredictionOnRow);
    EXPECT_TRUE(onRow.below == 2 && onRow.above == 2);
    // Without a topology the neighbours must share one; with one, only its rows count.
    EXPECT_EQ(PredictBandRow(table, 7.07e6f).reason, kPredictionMixedTopologies);
    const BandPrediction pi = PredictBandRow(table, 7.07e6f, 7);
    ASSERT_TRUE(pi.Ok()) << pi.reason;
    EXPECT_TRUE(pi.below == 0 && pi.above == 2 && pi.entries.Topology == 7);
    EXPECT_EQ(PredictBandRow(table, 7.15e6f, 7).reason, kPredictionOutsideRange);
    EXPECT_EQ(PredictBandRow(table, 7.05e6f, 7).reason, "") << "a row of another network holds 7.05 MHz";
}

TEST(BandPrediction, Reasons) {
    const auto band = [](std::initializer_list<double> megahertz) {
        BandTable table;
        for (const double f : megahertz)
            table.rows.push_back(Tuned(f * 1e6, kFortyMetreDipole.Impedance(f * 1e6)));
        return table;
    };
    BandTable mixed = band({7.0, 7.1}), impedances = mixed, predicted = mixed;
    mixed.rows[1] = Tuned(7.1e6, kFortyMetreDipole.Impedance(7.1e6), 8);
    impedances.rows[1].entries.Impedance = 75;
    predicted.rows[1].cells[static_cast<std::size_t>(BandColumn::Note)] = kPredictionNote;
    // This L network matches both loads, but not the one between them (inside the G = 1/Z0 circle).
    const auto load = [](Complex gamma) { return Complex(LoadOf(gamma).LoadR, LoadOf(gamma).LoadX); };
    const double degree = std::numbers::pi / 180;
    const BandTable across{{Tuned(7.0e6, load(std::polar(0.5, -50 * degree)), 1),
                            Tuned(7.2e6, load(std::polar(0.9, 130 * degree)), 1)}};
    const struct {
        BandTable table;
        float frequency;
        std::string_view reason;
    } cases[] = {
        {band({7.0, 7.1}), 0, kReasonBadFrequency},
        {band({7.0}), 7.05e6f, kPredictionTooFewRows},
        {band({7.0, 7.1}), 6.99e6f, kPredictionOutsideRange},
        {band({7.0, 7.1}), 7.11e6f, kPredictionOutsideRange},
        {mixed, 7.05e6f, kPredictionMixedTopologies},
        {impedances, 7.05e6f, kPredictionMixedImpedances},
        {predicted, 7.05e6f, kPredictionTooFewRows}, // a prediction is no tuned row
        {across, 7.1e6f, kReasonInsideGCircle},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PredictBandRow(c.table, c.frequency).reason, c.reason) << c.frequency;
    // Held at its interpolated value, L2 (which changes least here) leaves no match; C3 does.
    const BandTable jump{{Tuned(7.0e6, load({0.73, 0.15}), 7, 2.5), Tuned(7.2e6, load({0.3, 0.26}), 7, 1.9)}};
    EXPECT_EQ(PredictBandRow(jump, 7.1e6f).heldPart, "C3");
}

// Tables of an honest user, with every part as designed or read to three significant digits:
// whatever the band, the spacing, the antenna and the accuracy, nothing is flagged. One row per
// band never is: the feedline turns Gamma by whole turns between bands.
TEST(MisreadRows, CleanTablesHaveNoFlags) {
    const auto threeDigits = [](float value) {
        const double scale = std::pow(10.0, std::floor(std::log10(static_cast<double>(value))) - 2);
        return static_cast<float>(std::round(static_cast<double>(value) / scale) * scale);
    };
    const struct {
        double low, high, step;
    } bands[] = {{1.8e6, 2.0e6, 20e3},  {3.5e6, 3.8e6, 25e3},    {7.0e6, 7.3e6, 50e3},
                 {7.0e6, 7.3e6, 100e3}, {14.0e6, 14.35e6, 50e3}, {28.0e6, 29.7e6, 250e3}};
    int tables = 0;
    for (const double q : {5.0, 12.0, 25.0}) {
        for (const double metres : {5.0, 20.0, 45.0}) {
            for (const auto& band : bands) {
                const AntennaSystem antenna{
                    .resonance = (band.low + band.high) / 2, .antennaQ = q, .lineLength = metres};
                for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
                    BandTable table = Band(antenna, band.low, band.high, band.step, topology);
                    if (table.rows.empty()) continue;
                    ++tables;
                    BandTable read = table;
                    for (BandRow& row : read.rows) {
                        Entries entries = row.entries;
                        for (const PartSlot& part : PartsOf(topology))
                            entries.*part.value = threeDigits(entries.*part.value);
                        row = BandRowFromEntries(entries);
                    }
                    for (const int percent : kAccuracyPercents) {
                        EXPECT_TRUE(MisreadRows(table, percent).empty())
                            << band.low << " " << topology << " " << percent;
                        EXPECT_TRUE(MisreadRows(read, percent).empty())
                            << band.low << " " << topology << " " << percent;
                    }
                }
            }
        }
    }
    EXPECT_GT(tables, 200);
    for (int topology = 5; topology <= 8; ++topology) {
        BandTable perBand;
        for (const double f : {3.6e6, 7.1e6, 10.12e6, 14.2e6, 18.1e6, 21.2e6, 24.9e6, 28.5e6})
            perBand.rows.push_back(Tuned(f, kFortyMetreDipole.Impedance(f), topology));
        for (const int percent : kAccuracyPercents)
            EXPECT_TRUE(MisreadRows(perBand, percent).empty()) << topology << " " << percent;
    }
}

// A part read at twice or half its value is flagged, and only its row, with rows 50 kHz apart on
// 40 m (a dipole of Q 8 resonant in the band) or 250 kHz apart on 10 m, at 5 % accuracy.
TEST(MisreadRows, DoubledOrHalvedPartIsFlagged) {
    const struct {
        AntennaSystem antenna;
        double low, high, step;
    } bands[] = {{{.resonance = 7.1e6, .antennaQ = 8}, 7.0e6, 7.3e6, 50e3},
                 {{.resonance = 7.2e6, .antennaQ = 8}, 7.0e6, 7.3e6, 100e3},
                 {kFortyMetreDipole, 28.0e6, 29.7e6, 250e3}};
    int misreads = 0;
    for (const auto& band : bands) {
        for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
            const BandTable table = Band(band.antenna, band.low, band.high, band.step, topology);
            for (std::size_t row = 1; row + 1 < table.rows.size(); ++row) {
                for (const PartSlot& part : PartsOf(topology)) {
                    for (const float factor : {2.0f, 0.5f}) {
                        BandTable misread = table;
                        Entries entries = table.rows[row].entries;
                        entries.*part.value *= factor;
                        misread.rows[row] = BandRowFromEntries(entries);
                        const std::vector<MisreadRow> flagged = MisreadRows(misread, 5);
                        ++misreads;
                        ASSERT_EQ(flagged.size(), 1u)
                            << band.low << " " << topology << part.name << factor << " row " << row;
                        EXPECT_EQ(flagged[0].row, row);
                        EXPECT_TRUE(flagged[0].below == row - 1 && flagged[0].above == row + 1);
                    }
                }
            }
        }
    }
    EXPECT_GT(misreads, 300);
}

// The user's own case: a 20 m table, L2 of 1.08 uH typed as 1.80 uH at 14.3 MHz. How far readings
// may stray depends on the accuracy: C1 read 15 % too high passes at 5 %, not at 2 %.
TEST(MisreadRows, DigitsSwappedAndAccuracy) {
    const AntennaSystem twenty{.resonance = 14.2e6, .antennaQ = 10};
    BandTable table = Band(twenty, 14.0e6, 14.35e6, 50e3, 7);
    ASSERT_EQ(table.rows.size(), 8u);
    Entries swapped = table.rows[6].entries;
    swapped.L2 *= 1.80f / 1.08f;
    table.rows[6] = BandRowFromEntries(swapped);
    const std::vector<MisreadRow> flagged = MisreadRows(table, 5);
    ASSERT_EQ(flagged.size(), 1u);
    EXPECT_EQ(flagged[0].row, 6u);
    EXPECT_GT(flagged[0].deviation, flagged[0].allowance);

    BandTable quarter = Band(twenty, 14.0e6, 14.35e6, 50e3, 7);
    Entries high = quarter.rows[3].entries;
    high.C1 *= 1.15f;
    quarter.rows[3] = BandRowFromEntries(high);
    EXPECT_EQ(MisreadRows(quarter, 2).size(), 1u);
    EXPECT_TRUE(MisreadRows(quarter, 5).empty());
}

} // namespace
} // namespace vorelin

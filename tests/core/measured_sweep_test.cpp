#include "core/load_figures.h"
#include "core/measured_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vorelin {
namespace {

using Complex = std::complex<double>;

// A load behind a lossless line: Gamma turns clockwise about the centre as the frequency rises,
// 40 degrees from one measured point to the next, at |Gamma| 0.6.
MeasuredSweep TurningSweep(double reference) {
    MeasuredSweep sweep{reference, {}};
    for (int i = 0; i < 5; ++i)
        sweep.points.push_back({7e6 + 1e5 * i, std::polar(0.6, -0.7 * i)});
    return sweep;
}

TEST(MeasuredSweep, GammaBetweenTheNeighboursAndNothingOutside) {
    const MeasuredSweep sweep = TurningSweep(50);
    EXPECT_EQ(MeasuredGammaAt(sweep, 7.2e6), sweep.points[2].gamma);
    EXPECT_EQ(MeasuredGammaAt(sweep, 7e6), sweep.points[0].gamma);
    EXPECT_EQ(MeasuredGammaAt(sweep, 7.4e6), sweep.points[4].gamma);
    // A quarter of the way from the point at 7.2 MHz: on the circle, a quarter of the turn on.
    const auto between = MeasuredGammaAt(sweep, 7.225e6);
    ASSERT_TRUE(between);
    EXPECT_NEAR(std::abs(*between - std::polar(0.6, -1.4 - 0.175)), 0, 1e-12);
    for (const double outside : {6.99999e6, 7.40001e6, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(MeasuredGammaAt(sweep, outside)) << outside;
    EXPECT_FALSE(MeasuredGammaAt({50, {}}, 7e6));
    const MeasuredSweep single{50, {{14e6, Complex(0.1, 0.2)}}};
    EXPECT_EQ(MeasuredGammaAt(single, 14e6), Complex(0.1, 0.2));
    EXPECT_FALSE(MeasuredGammaAt(single, 14.0000001e6));
}

// Referring Gamma to another impedance goes through Z: the oracle computes Z and Gamma from it.
TEST(MeasuredSweep, GammaReferredThroughTheImpedance) {
    for (const Complex gamma : {Complex(0.3, -0.4), Complex(-0.9, 0.1), Complex(0, 0), Complex(1.5, 2)}) {
        const Complex z = 75.0 * (1.0 + gamma) / (1.0 - gamma);
        const auto referred = GammaReferredTo(gamma, 75, 50);
        ASSERT_TRUE(referred);
        EXPECT_LT(std::abs(*referred - (z - 50.0) / (z + 50.0)), 1e-12) << gamma;
        EXPECT_LT(std::abs(*ImpedanceOfGamma(gamma, 75) - z), 1e-12) << gamma;
    }
    EXPECT_EQ(GammaReferredTo(1, 75, 50), Complex(1));   // an open stays open
    EXPECT_EQ(GammaReferredTo(-1, 75, 50), Complex(-1)); // a short stays short
    EXPECT_FALSE(ImpedanceOfGamma(1, 75));
    EXPECT_FALSE(GammaReferredTo(-5, 75, 50)); // -50 ohms: no Gamma against 50 ohms
}

TEST(MeasuredSweep, ComparedWithTheTunerAgainstItsImpedance) {
    // A 75-ohm sweep of a load of 30 - j20 ohms at every frequency; the tuner's rows use 50 ohms.
    const Complex load(30, -20);
    MeasuredSweep sweep{75, {}};
    for (const double frequency : {7e6, 7.1e6, 7.2e6})
        sweep.points.push_back({frequency, (load - 75.0) / (load + 75.0)});
    const auto same = CompareWithMeasured(sweep, 7.05e6f, 50, Load{30, -20});
    ASSERT_TRUE(same);
    EXPECT_NEAR(std::abs(*same->impedance - load), 0, 1e-9);
    EXPECT_NEAR(std::abs(same->gamma - (load - 50.0) / (load + 50.0)), 0, 1e-12);
    EXPECT_NEAR(*same->gammaDistance, 0, 1e-12);

    const auto other = CompareWithMeasured(sweep, 7.1e6f, 50, Load{50, 0}); // the centre of the chart
    ASSERT_TRUE(other);
    EXPECT_NEAR(*other->gammaDistance, std::abs((load - 50.0) / (load + 50.0)), 1e-12);

    const auto noLoad = CompareWithMeasured(sweep, 7.1e6f, 50, std::nullopt);
    ASSERT_TRUE(noLoad);
    EXPECT_FALSE(noLoad->gammaDistance);
    EXPECT_FALSE(CompareWithMeasured(sweep, 7.3e6f, 50, Load{30, -20}));
    EXPECT_FALSE(CompareWithMeasured(sweep, 7.1e6f, 0, Load{30, -20}));
    EXPECT_FALSE(CompareWithMeasured(sweep, 7.1e6f, NAN, Load{30, -20}));
}

} // namespace
} // namespace vorelin

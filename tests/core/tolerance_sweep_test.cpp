#include "core/tolerance_sweep.h"

#include "float_bits.h"
#include "tests/support/sessions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vorelin {
namespace {

using test::Bits;

Session TeeNetwork() { return test::Entries(5, 10.1e6f, 50, {.c2 = 330e-12f, .l1 = 1.1e-6f, .l3 = 2.7e-6f}); }
Session LNetwork() { return test::Entries(1, 3.5e6f, 50, {.c2 = 680e-12f, .l1 = 4.7e-6f}); }

std::vector<SweepPoint> Sweep(Session& s, SweepSummary* summary = nullptr) {
    std::vector<SweepPoint> points;
    const auto result = SweepTolerance(s, [&points](const SweepPoint& p) { points.push_back(p); });
    if (summary != nullptr) *summary = result;
    return points;
}

TEST(ToleranceSweep, PassesPerPartMatchTheButtons) {
    const struct {
        float accuracy;
        int passes;
    } kCases[] = {{0.0f, 1}, {0.01f, 3}, {0.02f, 5}, {0.05f, 11}, {0.1f, 21}, {0.2f, 41}};
    for (const auto& c : kCases) {
        EXPECT_EQ(PassesPerPart(c.accuracy), c.passes) << c.accuracy;
        for (Session s : {LNetwork(), TeeNetwork()}) {
            s.Accuracy = c.accuracy;
            SweepSummary summary;
            const auto points = Sweep(s, &summary);
            const auto parts = s.Topology == 5 ? 3 : 2;
            const std::int64_t combinations =
                parts == 3 ? c.passes * c.passes * c.passes : c.passes * c.passes;
            EXPECT_EQ(summary.combinations, combinations) << c.accuracy;
            EXPECT_EQ(SweepCombinations(s), combinations) << c.accuracy;
            EXPECT_EQ(points.size(), static_cast<std::size_t>(combinations + 1)) << c.accuracy;
            EXPECT_TRUE(points.back().nominal);
        }
    }
}

TEST(ToleranceSweep, InvalidAccuraciesRunOnlyTheNominalLoad) {
    for (const float accuracy : {-0.1f, 2.0f, 1e30f, -1e30f, NAN}) {
        Session s = TeeNetwork();
        s.Accuracy = accuracy;
        const auto points = Sweep(s);
        ASSERT_EQ(points.size(), 1u);
        EXPECT_TRUE(points[0].nominal);
    }
}

TEST(ToleranceSweep, LastFactorAtTwentyPercentLiesJustBelowTheEnd) {
    const auto factors = ToleranceFactors::For(0.2f);
    EXPECT_EQ(factors.start, 0.8f);
    EXPECT_EQ(factors.end, 1.2f);
    float last = 0;
    for (float f = factors.start; f <= factors.end; f = ToleranceFactors::Next(f))
        last = f;
    EXPECT_EQ(Bits(last), Bits(1.1999997f));
}

// The load of the network with each part at its measured value times the given factor.
SweepPoint LoadWithFactors(Session s, const std::vector<float>& factors) {
    const auto parts = PartsOf(s.Topology);
    for (std::size_t i = 0; i < parts.size(); ++i)
        s.*parts[i].value =
            static_cast<float>(static_cast<double>(s.*parts[i].value) * static_cast<double>(factors[i]));
    EXPECT_EQ(RunNetwork(s), NetworkResult::Computed);
    return {s.LoadR, s.LoadX, false};
}

void ExpectSameLoad(const SweepPoint& actual, const SweepPoint& expected, const char* where) {
    EXPECT_EQ(Bits(actual.loadR), Bits(expected.loadR)) << where;
    EXPECT_EQ(Bits(actual.loadX), Bits(expected.loadX)) << where;
}

TEST(ToleranceSweep, PositionOneIsTheOutermostLoop) {
    Session s = TeeNetwork();
    s.Accuracy = 0.01f;
    const Session measured = s;
    const float low = ToleranceFactors::For(0.01f).start;
    const float one = ToleranceFactors::Next(low);
    const float high = ToleranceFactors::Next(one);
    const auto points = Sweep(s);
    ASSERT_EQ(points.size(), 28u);
    ExpectSameLoad(points[0], LoadWithFactors(measured, {low, low, low}), "first");
    ExpectSameLoad(points[1], LoadWithFactors(measured, {low, low, one}), "innermost steps first");
    ExpectSameLoad(points[3], LoadWithFactors(measured, {low, one, low}), "then position 2");
    ExpectSameLoad(points[9], LoadWithFactors(measured, {one, low, low}), "position 1 last");
    ExpectSameLoad(points[26], LoadWithFactors(measured, {high, high, high}), "last varied");
    ExpectSameLoad(points[27], LoadWithFactors(measured, {1.0f, 1.0f, 1.0f}), "nominal");
    EXPECT_FALSE(points[26].nominal);
    EXPECT_TRUE(points[27].nominal);
}

TEST(ToleranceSweep, LeavesTheSessionAsANominalRunLeavesIt) {
    for (Session s : {LNetwork(), TeeNetwork()}) {
        ASSERT_EQ(RunNetwork(s), NetworkResult::Computed);
        s.Accuracy = 0.2f;
        const Session before = s;
        SweepSummary summary;
        Sweep(s, &summary);
        EXPECT_EQ(summary.nominal, NetworkResult::Computed);
        EXPECT_TRUE(s == before);
        EXPECT_EQ(Bits(s.LoadR), Bits(before.LoadR));
        EXPECT_EQ(Bits(s.LoadX), Bits(before.LoadX));
    }
}

TEST(ToleranceSweep, UnknownTopologyRunsNothing) {
    Session s = TeeNetwork();
    s.Topology = 9;
    s.Accuracy = 0.05f;
    SweepSummary summary;
    EXPECT_TRUE(Sweep(s, &summary).empty());
    EXPECT_EQ(summary.combinations, 0);
    EXPECT_EQ(SweepCombinations(s), 0);
    EXPECT_EQ(summary.nominal, NetworkResult::NoNetwork);
}

TEST(ToleranceSweep, NotComputableCombinationsAreCountedNotPlotted) {
    Session s = test::Entries(1, 1e10f, 50, {.l1 = 1e10f});
    s.Accuracy = 0.01f;
    s.LoadR = 1;
    s.LoadX = 2;
    SweepSummary summary;
    EXPECT_TRUE(Sweep(s, &summary).empty());
    EXPECT_EQ(summary.combinations, 9);
    EXPECT_EQ(summary.notComputable, 9);
    EXPECT_EQ(summary.nominal, NetworkResult::NotComputable);
    EXPECT_EQ(s.L1, 1e10f);
    EXPECT_EQ(s.LoadR, 1.0f);
}

} // namespace
} // namespace vorelin

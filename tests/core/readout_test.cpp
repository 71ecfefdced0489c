#include "core/readout.h"

#include <gtest/gtest.h>

namespace vorelin {
namespace {

Session WithLoad(float r, float x, float frequency = 7.1e6f) {
    Session s;
    InitConstants(s);
    s.Frequency = frequency;
    s.LoadR = r;
    s.LoadX = x;
    return s;
}

TEST(Readout, NegativeReactanceShowsACapacitance) {
    const Session s = WithLoad(25.3f, -12.5f);
    EXPECT_EQ(ReactanceLabel(s), "-j12.5  ( 1793.3 pF )");
    EXPECT_EQ(ResistanceLabel(s), "25.3");
    EXPECT_EQ(LoadLine(s), " 25.3 -j12.5");
}

TEST(Readout, PositiveReactanceShowsAnInductance) {
    const Session s = WithLoad(50, 47.0132179f, 14.2e6f);
    EXPECT_EQ(ReactanceLabel(s), "+j47.01322  ( 526.929 nH )");
    EXPECT_EQ(LoadLine(s), " 50 +j47.01322");
}

TEST(Readout, PurelyResistiveLoad) {
    const Session s = WithLoad(50, 0);
    EXPECT_EQ(ReactanceLabel(s), "+j0 ");
    EXPECT_EQ(EquivalentPartText(s), " ");
    EXPECT_EQ(LoadLine(s), " 50 +j0");
    EXPECT_EQ(ReactanceLabel(WithLoad(50, -0.0f)), "+j0 ");
}

TEST(Readout, MagnitudesBelowOneDifferBetweenLabelAndLine) {
    const Session s = WithLoad(0.5f, 0.5f);
    EXPECT_EQ(ReactanceLabel(s).substr(0, 6), "+j0.5 ");
    EXPECT_EQ(ResistanceLabel(s), "0.5");
    EXPECT_EQ(LoadLine(s), " .5 +j.5");
    EXPECT_EQ(LoadLine(WithLoad(0.5f, -0.25f)), " .5 -j.25");
}

TEST(Readout, ZeroFrequencyShowsNoEquivalentPart) { EXPECT_EQ(EquivalentPartText(WithLoad(50, 10, 0)), " "); }

TEST(Readout, PartLabels) {
    Session s;
    s.L2 = 2.2e-6f;
    s.C1 = 150e-12f;
    s.C3 = 0;
    const auto parts = PartsOf(7);
    EXPECT_EQ(PartLabel(s, parts[0]), "C1: 150 pF");
    EXPECT_EQ(PartLabel(s, parts[1]), "L2: 2.2 uH");
    EXPECT_EQ(PartLabel(s, parts[2]), "C3: ");
}

} // namespace
} // namespace vorelin

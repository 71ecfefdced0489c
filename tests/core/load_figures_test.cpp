#include "core/figures_text.h"
#include "core/load_figures.h"
#include "core/tolerance_ranges.h"

#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace vorelin {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr float kFrequency = 14.2e6f;
const double kOmega = 2 * std::numbers::pi * static_cast<double>(kFrequency);

void ExpectFigure(const std::optional<double>& figure, double expected, const char* what) {
    if (std::isnan(expected)) {
        EXPECT_FALSE(figure) << what << " = " << *figure;
    } else {
        ASSERT_TRUE(figure) << what;
        EXPECT_NEAR(*figure, expected, 1e-12 * std::fmax(1, std::fabs(expected))) << what;
    }
}

// Worked by hand against Z0 = 50: -10 + j20 gives gamma = (-60 + j20) / (40 + j20) = -1 + j;
// 30 - j40 gives gamma = -j0.5.
struct Case {
    const char* name;
    float r, x;
    double gammaMag, gammaDeg, swr, returnLoss, mismatchLoss, zDeg, parallelR, parallelX, q;
};
const Case kCases[] = {
    {"matched", 50, 0, 0, kNone, 1, kNone, 0, 0, 50, kNone, 0},
    {"25 ohms", 25, 0, 1 / 3.0, 180, 2, 20 * std::log10(3.0), 10 * std::log10(9 / 8.0), 0, 25, kNone, 0},
    {"100 ohms", 100, 0, 1 / 3.0, 0, 2, 20 * std::log10(3.0), 10 * std::log10(9 / 8.0), 0, 100, kNone, 0},
    {"short", 0, 0, 1, 180, kNone, 0, kNone, kNone, kNone, kNone, kNone},
    {"nearly open", 1e6f, 0, 999950 / 1000050.0, 0, 20000, -20 * std::log10(999950 / 1000050.0),
     -10 * std::log10(2e8 / (1000050.0 * 1000050.0)), 0, 1e6, kNone, 0},
    {"pure reactance", 0, 50, 1, 90, kNone, 0, kNone, 90, kNone, 50, kNone},
    {"negative resistance", -10, 20, std::sqrt(2.0), 135, kNone, -10 * std::log10(2.0), kNone,
     180 - std::atan(2.0) * 180 / std::numbers::pi, -50, 25, -2},
    {"capacitive", 30, -40, 0.5, -90, 3, 20 * std::log10(2.0), -10 * std::log10(0.75),
     -std::atan(4 / 3.0) * 180 / std::numbers::pi, 2500 / 30.0, -62.5, 4 / 3.0},
};

TEST(LoadFigures, HandWorkedCases) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const LoadFigures f = FiguresOf({c.r, c.x}, 50, kFrequency);
        ExpectFigure(f.gammaMag, c.gammaMag, "|gamma|");
        ExpectFigure(f.gammaDeg, c.gammaDeg, "gamma angle");
        ExpectFigure(f.swr, c.swr, "SWR");
        ExpectFigure(f.returnLossDb, c.returnLoss, "return loss");
        ExpectFigure(f.mismatchLossDb, c.mismatchLoss, "mismatch loss");
        ExpectFigure(f.zMag, std::hypot(static_cast<double>(c.r), static_cast<double>(c.x)), "|Z|");
        ExpectFigure(f.zDeg, c.r == 0 && c.x == 0 ? kNone : c.zDeg, "Z angle");
        ExpectFigure(f.parallelR, c.parallelR, "Rp");
        ExpectFigure(f.parallelX, c.parallelX, "Xp");
        ExpectFigure(f.parallelInductance, c.parallelX > 0 ? c.parallelX / kOmega : kNone, "Lp");
        ExpectFigure(f.parallelCapacitance, c.parallelX < 0 ? -1 / (kOmega * c.parallelX) : kNone, "Cp");
        ExpectFigure(f.q, c.q, "Q");
        if (f.gammaMag) {
            EXPECT_NEAR(std::hypot(*f.gammaRe, *f.gammaIm), *f.gammaMag, 1e-15);
        }
    }
    const auto none = FiguresOf({25, 5}, 0, kFrequency);
    EXPECT_FALSE(none.gammaMag || none.zMag || none.parallelR || none.q);
    EXPECT_FALSE(FiguresOf({-50, 0}, 50, kFrequency).gammaRe);
}

TEST(ToleranceRanges, MatchTheFiguresOfEveryVariedLoad) {
    const Entries entries = test::LargestRegion();
    ToleranceRanges ranges(entries.Impedance);
    FigureRange r{INFINITY, -INFINITY}, x = r, gamma = r, swr = r;
    const auto widen = [](FigureRange& range, double value) {
        range = {std::fmin(range.min, value), std::fmax(range.max, value)};
    };
    SweepTolerance(entries, 0.2f, [&](const SweepPoint& p) {
        ranges(p);
        if (p.nominal) return;
        const LoadFigures f = FiguresOf({p.loadR, p.loadX}, entries.Impedance, entries.Frequency);
        widen(r, static_cast<double>(p.loadR)), widen(x, static_cast<double>(p.loadX));
        widen(gamma, *f.gammaMag), widen(swr, *f.swr);
    });
    const ToleranceRangeFigures found = ranges.Figures();
    EXPECT_EQ(found.count, 68921);
    EXPECT_TRUE(found.r->min == r.min && found.r->max == r.max && found.x->min == x.min &&
                found.x->max == x.max);
    EXPECT_NEAR(found.gammaMag->min, gamma.min, 1e-14);
    EXPECT_NEAR(found.gammaMag->max, gamma.max, 1e-14);
    EXPECT_NEAR(*found.swrMin, swr.min, 1e-12 * swr.min);
    EXPECT_NEAR(*found.swrMax, swr.max, 1e-12 * swr.max);
}

// Every text form, checked against one reviewed file: the detail lines of each hand-worked case,
// the range line at each accuracy, of a region reaching R < 0, and of an empty one.
TEST(FiguresText, LinesAsReviewed) {
    std::string text;
    for (const Case& c : kCases) {
        for (const std::string& line : DetailLines(FiguresOf({c.r, c.x}, 50, kFrequency)))
            text += line + "\n";
    }
    for (const int percent : kAccuracyPercents) {
        ToleranceRanges ranges(50);
        SweepTolerance(test::LargestRegion(), AccuracyFraction(percent), ranges);
        text += RangeLine(ranges.Figures(), AccuracyFraction(percent)) + "\n";
    }
    ToleranceRanges negative(50), empty(50);
    negative.Add(10, -5), negative.Add(-0.5f, 2);
    text += RangeLine(negative.Figures(), 0.01f) + "\n" + RangeLine(empty.Figures(), 0.1f) + "\n";

    EXPECT_EQ(test::GoldenMismatch("core/golden/figures_text.txt", text), "");
}

} // namespace
} // namespace vorelin

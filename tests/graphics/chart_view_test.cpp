#include "graphics/chart_view.h"

#include "graphics/display_list.h"
#include "graphics/load_marks.h"

#include "../core/float_bits.h"
#include "primitive_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vorelin {
namespace {

using test::Bits;

Session ChartSession(float aspect = 0.75f) {
    Session s;
    InitConstants(s);
    s.Impedance = 50;
    s.AspectRatio = aspect;
    s.ChartRadius = 3000;
    s.DotColor = 0xFF0000;
    s.DotRadius = 50;
    return s;
}

ChartView HomeView() {
    ChartView view;
    MoveCentreHome(view);
    EnsureScale(view);
    return view;
}

TEST(ChartMapping, LandmarksOfTheChart) {
    const Session s = ChartSession();
    const ChartFrame frame = ResultsFrame(s, HomeView());
    const struct {
        const char* name;
        float r, x;
        float pageX, pageY;
    } kCases[] = {
        {"Z0 at the centre", 50, 0, 9000, 5000},
        {"+jZ0 straight above", 0, 50, 9000, 2000},
        {"-jZ0 straight below", 0, -50, 9000, 8000},
        {"3 Z0 at half the horizontal radius", 150, 0, 10125, 5000},
        {"short circuit at the left edge", 0, 0, 6750, 5000},
        {"Z0 / 3 at minus half the horizontal radius", 50.0f / 3, 0, 7875, 5000},
    };
    for (const auto& c : kCases) {
        for (const MarkProduct product :
             {MarkProduct::RadiusScaleMagnitude, MarkProduct::MagnitudeRadiusScale}) {
            const PagePoint at = MapLoad(c.r, c.x, s.Impedance, s.Pi, frame, product);
            EXPECT_NEAR(at.x, c.pageX, 0.002) << c.name;
            EXPECT_NEAR(at.y, c.pageY, 0.002) << c.name;
        }
    }
}

// The polar route with its angle folding lands where the reflection coefficient says, in every
// quadrant, at every scale and stretch.
TEST(ChartMapping, PolarRouteAgreesWithTheReflectionCoefficient) {
    for (const float aspect : {0.5f, 0.75f, 1.5f}) {
        Session s = ChartSession(aspect);
        ChartView view = HomeView();
        view.ChartScale = 2.2f;
        view.CentreX = 8500;
        const ChartFrame frame = ResultsFrame(s, view);
        for (const float r : {0.0f, 1.0f, 10.0f, 49.0f, 50.0f, 51.0f, 200.0f, 5000.0f}) {
            for (const float x : {-900.0f, -50.0f, -3.0f, 0.0f, 0.5f, 50.0f, 120.0f}) {
                const double rn = static_cast<double>(r) / 50, xn = static_cast<double>(x) / 50;
                const double m = (rn + 1) * (rn + 1) + xn * xn;
                const double u = (rn * rn + xn * xn - 1) / m, v = 2 * xn / m;
                const PagePoint at = MapLoad(r, x, 50, s.Pi, frame);
                EXPECT_NEAR(at.x, 8500 + static_cast<double>(aspect) * 3000 * 2.2 * u, 0.01) << r << " " << x;
                EXPECT_NEAR(at.y, 5000 - 3000 * 2.2 * v, 0.01) << r << " " << x;
            }
        }
    }
}

TEST(ChartMapping, LoadsWithoutAFiniteReflectionGiveNoFinitePoint) {
    const Session s = ChartSession();
    const PagePoint at =
        MapLoad(std::numeric_limits<float>::infinity(), 0, 50, s.Pi, ResultsFrame(s, HomeView()));
    EXPECT_FALSE(std::isfinite(at.x) && std::isfinite(at.y));
}

TEST(LoadMarks, PlotDotAndTheFinalMark) {
    Session s = ChartSession();
    s.LoadR = 150;
    s.DotColor = 0x66CC00;
    s.DotRadius = 20;
    const Session before = s;
    DisplayList list;
    list.SetPenWidth(3);
    PlotDot(list, s, HomeView());
    PlotDot2(list, s, HomeView());
    EXPECT_EQ(s, before);
    EXPECT_EQ(list.PenWidth(), 1);
    // The dot, then the final mark: a wide white ring and the red dot, all at 3 Z0.
    EXPECT_EQ(test::ShowAll(list), (std::vector<std::string>{"Circle 10125,5000 r20 pen1 #66CC00",
                                                             "Circle 10125,5000 r30 pen6 #FFFFFF",
                                                             "Circle 10125,5000 r20 pen1 #0000FF"}));
}

TEST(ChartView, ZoomButtons) {
    const struct {
        const char* name;
        int larger, smaller;
        float zoom;
    } kCases[] = {
        {"Larger once", 1, 0, 1.1f},
        {"Larger 16 times stays below the limit", 16, 0, 4.5949736f},
        {"Larger 17 times is held at 5", 17, 0, 5.0f},
        {"Larger 30 times is held at 5", 30, 0, 5.0f},
        {"Smaller once", 0, 1, 0.90909094f},
        {"Smaller 5 times stays above the limit", 0, 5, 0.62092137f},
        {"Smaller 6 times is raised to 0.6", 0, 6, 0.6f},
        {"Smaller 9 times is held at 0.6", 0, 9, 0.6f},
    };
    for (const auto& c : kCases) {
        ChartView view = HomeView();
        for (int i = 0; i < c.larger; ++i)
            ZoomLarger(view);
        for (int i = 0; i < c.smaller; ++i)
            ZoomSmaller(view);
        EXPECT_EQ(Bits(view.Zoom), Bits(c.zoom)) << c.name << " " << view.Zoom;
        EXPECT_EQ(Bits(view.ChartScale), Bits(view.Zoom)) << c.name;
    }
    ChartView view;
    ZoomLarger(view);
    EXPECT_EQ(Bits(view.Zoom), Bits(1.1f)); // computed in double, stored in single precision
    ZoomSmaller(view);
    EXPECT_EQ(Bits(view.Zoom), Bits(static_cast<float>(static_cast<double>(1.1f) / 1.1)));
}

TEST(ChartView, PanResetAndHome) {
    ChartView view;
    EXPECT_EQ(view.ChartScale, 0);
    MoveCentreHome(view);
    EXPECT_EQ(view.CentreX, 9000);
    EXPECT_EQ(view.CentreY, 5000);
    EXPECT_EQ(view.ChartScale, 0); // the page load keeps scale and zoom
    EnsureScale(view);
    EXPECT_EQ(view.ChartScale, 1);

    Pan(view, PanDirection::Left);
    Pan(view, PanDirection::Left);
    Pan(view, PanDirection::Up);
    EXPECT_EQ(view.CentreX, 8000);
    EXPECT_EQ(view.CentreY, 4500);
    Pan(view, PanDirection::Right);
    Pan(view, PanDirection::Down);
    Pan(view, PanDirection::Down);
    EXPECT_EQ(view.CentreX, 8500);
    EXPECT_EQ(view.CentreY, 5500);

    ZoomLarger(view);
    MoveCentreHome(view);
    EnsureScale(view);
    EXPECT_EQ(Bits(view.ChartScale), Bits(1.1f));
    ResetView(view);
    EXPECT_EQ(view.CentreX, 9000);
    EXPECT_EQ(view.CentreY, 5000);
    EXPECT_EQ(view.ChartScale, 1);
    EXPECT_EQ(view.Zoom, 1);
}

TEST(AspectRatio, TypedValuesAreHeldWithinTheLimits) {
    const struct {
        double parsed;
        float ratio;
        std::string_view aspectText, percentText;
    } kCases[] = {
        {2, 1.5f, "1.5", "150"},    {1.5, 1.5f, "", ""},   {1.5000001, 1.5f, "1.5", "150"},
        {1.50000001, 1.5f, "", ""}, {0.75, 0.75f, "", ""}, {0.5, 0.5f, "", ""},
        {0.2, 0.5f, ".5", "50"},    {0, 0.5f, ".5", "50"}, {-3, 0.5f, ".5", "50"},
        {1e10, 1.5f, "1.5", "150"},
    };
    for (const auto& c : kCases) {
        const TypedAspect typed = ClampTypedAspect(c.parsed);
        EXPECT_EQ(Bits(typed.ratio), Bits(c.ratio)) << c.parsed;
        EXPECT_EQ(typed.aspectText, c.aspectText) << c.parsed;
        EXPECT_EQ(typed.percentText, c.percentText) << c.parsed;
    }
}

TEST(AspectRatio, SpinnerReadsTheLeadingNumberOfThePercentText) {
    const struct {
        const char* text;
        float ratio;
    } kCases[] = {{" 75", 0.75f},
                  {"75", 0.75f},
                  {" 150", 1.5f},
                  {"151", 1.5f},
                  {" 50", 0.5f},
                  {"49", 0.5f},
                  {" 99.5xyz", static_cast<float>(99.5 * 0.01)},
                  {"1e2", 0.5f},
                  {"abc", 0.5f},
                  {"", 0.5f},
                  {"-75", 0.5f},
                  {"+120", 1.2f},
                  {" 70", 0.7f},
                  {".", 0.5f},
                  {"100.", 1.0f},
                  {" 66.6 ", 0.666f}};
    for (const auto& c : kCases)
        EXPECT_EQ(Bits(SpinnerAspectRatio(c.text)), Bits(c.ratio)) << '"' << c.text << '"';
}

} // namespace
} // namespace vorelin

#include "graphics/chart_view.h"

#include "tests/support/float_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorelin {
namespace {

using test::Bits;

ChartView HomeView() {
    ChartView view;
    MoveCentreHome(view);
    EnsureScale(view);
    return view;
}

TEST(ChartMapping, LandmarksAndTheReflectionCoefficient) {
    const ChartFrame home = ResultsFrame(HomeView(), 0.75f);
    const struct {
        float r, x, pageX, pageY;
    } kLandmarks[] = {{50, 0, 9000, 5000},   {0, 50, 9000, 2000},   {0, -50, 9000, 8000},
                      {150, 0, 10125, 5000}, {0, 0, 6750, 5000}, {50.0f / 3, 0, 7875, 5000}};
    for (const auto& c : kLandmarks) {
        for (const MarkProduct product : {MarkProduct::RadiusScaleMagnitude, MarkProduct::MagnitudeRadiusScale}) {
            const PagePoint at = MapLoad(c.r, c.x, 50, home, product);
            EXPECT_NEAR(at.x, c.pageX, 0.002) << c.r << " " << c.x;
            EXPECT_NEAR(at.y, c.pageY, 0.002) << c.r << " " << c.x;
        }
    }
    // The polar route with its angle folding lands where the reflection coefficient says, in every
    // quadrant, at any scale and stretch.
    for (const float aspect : {0.5f, 1.5f}) {
        const ChartFrame frame = ResultsFrame({8500, 5000, 2.2f, 2.2f}, aspect);
        for (const float r : {0.0f, 10.0f, 49.0f, 51.0f, 5000.0f}) {
            for (const float x : {-900.0f, -3.0f, 0.0f, 0.5f, 120.0f}) {
                const double rn = static_cast<double>(r) / 50, xn = static_cast<double>(x) / 50;
                const double m = (rn + 1) * (rn + 1) + xn * xn;
                const PagePoint at = MapLoad(r, x, 50, frame);
                EXPECT_NEAR(at.x, 8500 + static_cast<double>(aspect) * 6600 * (rn * rn + xn * xn - 1) / m, 0.01);
                EXPECT_NEAR(at.y, 5000 - 6600 * 2 * xn / m, 0.01) << r << " " << x;
            }
        }
    }
    const PagePoint nowhere = MapLoad(std::numeric_limits<float>::infinity(), 0, 50, home);
    EXPECT_FALSE(std::isfinite(nowhere.x) && std::isfinite(nowhere.y));
}

TEST(ChartView, ZoomPanResetAndHome) {
    const struct {
        int larger, smaller;
        float zoom;
    } kZooms[] = {{1, 0, 1.1f}, {16, 0, 4.5949736f}, {17, 0, 5.0f}, {30, 0, 5.0f},
                  {0, 1, 0.90909094f}, {0, 5, 0.62092137f}, {0, 6, 0.6f}, {0, 9, 0.6f}};
    for (const auto& c : kZooms) {
        ChartView view = HomeView();
        for (int i = 0; i < c.larger; ++i)
            ZoomLarger(view);
        for (int i = 0; i < c.smaller; ++i)
            ZoomSmaller(view);
        EXPECT_EQ(Bits(view.Zoom), Bits(c.zoom)) << c.larger << " " << c.smaller;
        EXPECT_EQ(Bits(view.ChartScale), Bits(view.Zoom));
    }
    ChartView view; // never zoomed: the first press starts from 1
    ZoomSmaller(view);
    EXPECT_EQ(Bits(view.Zoom), Bits(static_cast<float>(1 / 1.1)));

    view = ChartView{};
    MoveCentreHome(view);
    EXPECT_EQ(view.ChartScale, 0); // the page load keeps scale and zoom
    EnsureScale(view);
    EXPECT_EQ(view.ChartScale, 1);
    for (const PanDirection d : {PanDirection::Left, PanDirection::Left, PanDirection::Up, PanDirection::Right,
                                 PanDirection::Down, PanDirection::Down})
        Pan(view, d);
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

TEST(AspectRatio, TypedAndSpunValuesAreHeldWithinTheLimits) {
    const struct {
        double parsed;
        float ratio;
        std::string_view aspectText, percentText;
    } kTyped[] = {{2, 1.5f, "1.5", "150"},     {1.5, 1.5f, "", ""},    {1.5000001, 1.5f, "1.5", "150"},
                  {1.50000001, 1.5f, "", ""}, {0.75, 0.75f, "", ""}, {0.5, 0.5f, "", ""},
                  {0.2, 0.5f, ".5", "50"},    {-3, 0.5f, ".5", "50"}};
    for (const auto& c : kTyped) {
        const TypedAspect typed = ClampTypedAspect(c.parsed);
        EXPECT_EQ(Bits(typed.ratio), Bits(c.ratio)) << c.parsed;
        EXPECT_EQ(typed.aspectText, c.aspectText) << c.parsed;
        EXPECT_EQ(typed.percentText, c.percentText) << c.parsed;
    }
    const struct {
        const char* text;
        float ratio;
    } kSpun[] = {{" 75", 0.75f},  {"151", 1.5f},  {"49", 0.5f},      {" 99.5xyz", static_cast<float>(99.5 * 0.01)},
                 {"1e2", 0.5f},   {"abc", 0.5f},  {"-75", 0.5f},     {"+120", 1.2f},
                 {".", 0.5f},     {"100.", 1.0f}, {"9e999999", 0.5f}, {"99999999999999999999999999999999999", 1.5f}};
    for (const auto& c : kSpun)
        EXPECT_EQ(Bits(SpinnerAspectRatio(c.text)), Bits(c.ratio)) << '"' << c.text << '"';
}

} // namespace
} // namespace vorelin

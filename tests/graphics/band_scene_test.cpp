#include "graphics/band_scene.h"

#include "core/tolerance_sweep.h"
#include "graphics/chart_grid.h"
#include "graphics/display_list.h"
#include "graphics/page_layout.h"
#include "tests/support/display_list_text.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <string>
#include <vector>

namespace vorelin {
namespace {

// Pi networks around 14.2 MHz in table order 14.3 (predicted), 14.1, (a T network without its
// C1), 14.2 MHz; the 14.1 MHz row has its 1 % tolerance area and is flagged as misread.
struct SmallBand {
    BandTable table = ReadBandTable("frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note\n"
                                    "14.3M,7,50,150p,,300p,,2.2u,,predicted\n14.1M,7,50,160p,,310p,,2.3u\n"
                                    "14.2M,6,50,,,300p,,2.2u\n14.2M,7,50,155p,,305p,,2.25u\n")
                          .table;
    std::vector<BandResult> results;
    std::vector<std::optional<ToleranceArea>> areas{table.rows.size()};

    SmallBand() {
        for (const BandRow& row : table.rows)
            results.push_back(ResultOf(row));
        const std::atomic<bool> stop{false};
        areas[1] = ToleranceAreaOf(table.rows[1].entries, AccuracyFraction(1), 50, stop);
    }
    BandSceneModel Model(std::optional<std::size_t> selected) const {
        const MisreadRow misread{1, 0.2, 0.1};
        return MakeBandSceneModel(table, results, areas, selected, {&misread, 1});
    }
};

bool Inside(const PageRect& inner, const PageRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(BandScene, SmallTableDrawsAsReviewed) {
    const SmallBand band;
    DisplayList list;
    DrawBandScene(list, band.Model(3), HomeBandView());
    // The chart's grid is the results page's own, pinned by its tests: its strokes, clearings
    // and labels (inside the chart's clips, in the grid's colours; it draws no circles) are left
    // out of the dump.
    bool inChart = false;
    const auto ours = [&](const Primitive& p) {
        if (p.op == Op::Clip) {
            const auto* clip = list.ClipOf(p);
            inChart = clip != nullptr && Inside(clip->area, kBandChartArea);
        }
        const bool gridColour =
            p.colour == kGridLightColour || p.colour == kGridEmphasisColour || p.colour == kPaperColour;
        return p.op != Op::Point && p.op != Op::Continue && !(inChart && gridColour && p.op != Op::Circle);
    };
    std::string text;
    for (const std::string& line : test::ShowAll(list, ours))
        text += line + "\n";
    EXPECT_EQ(test::GoldenMismatch("graphics/golden/band_scene.txt", text), "");
}

// The saved picture: the title, the table's headings and rows as the grid shows them, then the
// page's drawing; its texts as reviewed.
TEST(BandScene, PictureTextsAsReviewed) {
    const SmallBand band;
    DisplayList list;
    DrawBandPicture(list, band.table, band.results, 0, band.Model(3), HomeBandView());
    std::string text;
    for (const std::string& line : test::ShowAll(list, [](const Primitive& p) { return p.op == Op::Text; }))
        text += line + "\n";
    EXPECT_EQ(test::GoldenMismatch("graphics/golden/band_picture.txt", text), "");
}

TEST(BandScene, PartsOfThePageKeepApart) {
    std::vector<PageRect> parts{kBandTableArea, kBandChartArea, kBandSwrArea};
    for (const ControlPlace& place : BandControlPlaces())
        parts.push_back(RectOf(place));
    for (std::size_t a = 0; a < parts.size(); ++a) {
        for (std::size_t b = a + 1; b < parts.size(); ++b)
            EXPECT_FALSE(Overlap(parts[a], parts[b])) << a << " and " << b;
    }
    // Every text of the drawing stands in the chart's part or the plot's.
    const SmallBand band;
    DisplayList list;
    DrawBandScene(list, band.Model(0), HomeBandView());
    PageRect extent{};
    for (const Primitive& p : list.Primitives()) {
        if (p.op != Op::Text || !ExtentOf(list, p, 0, extent)) continue;
        EXPECT_TRUE(Inside(extent, kBandChartArea) || Inside(extent, kBandSwrArea)) << list.TextOf(p);
    }
    // Panned so that the first mark lies under the chart's caption: its label keeps off the caption.
    const BandSceneModel model = band.Model(0);
    BandChartView panned = HomeBandView();
    const PagePoint first =
        MapLoad(model.points[0].load.LoadR, model.points[0].load.LoadX, model.impedance, BandFrame(panned));
    PanBandView(panned, kBandChartArea.left + 400 - first.x, kBandChartArea.top + 150 - first.y);
    list.Clear();
    DrawBandScene(list, model, panned);
    std::vector<PageRect> texts;
    for (const Primitive& p : list.Primitives()) {
        if (p.op == Op::Text && list.TextOf(p).find("MHz") != std::string::npos &&
            ExtentOf(list, p, 0, extent))
            texts.push_back(extent);
        if (p.op == Op::Text && list.TextOf(p).starts_with("Loads on") && ExtentOf(list, p, 0, extent)) {
            ASSERT_FALSE(texts.empty());
            for (const PageRect& label : texts)
                EXPECT_FALSE(Overlap(label, extent));
        }
    }
}

// The SWR plot reads as a plot: its SWR axis is logarithmic (its ticks as far apart as their
// logarithms), an SWR above its top is marked at the top edge, at least four frequencies are
// labelled in order at their places, and the amateur band the rows reach into is shaded behind the
// trace as far as the rows go.
TEST(BandScene, SwrPlotReadsAsAPlot) {
    BandSceneModel model;
    const std::array<std::pair<float, double>, 4> rows{
        {{3.5e6f, 1.2}, {3.6e6f, 2.5}, {3.7e6f, 150}, {3.9e6f, 4}}};
    for (std::size_t i = 0; i < rows.size(); ++i)
        model.points.push_back({i, rows[i].first, {50, 0}, rows[i].second, nullptr});
    DisplayList list;
    DrawBandScene(list, model, HomeBandView());
    std::map<std::string, double> swrTicks;       // text -> height of its line
    std::vector<std::pair<double, double>> ticks; // frequency ticks: x, MHz
    std::vector<PageRect> shades;
    int arrowStrokes = 0;
    for (std::size_t i = 1; i < list.Primitives().size(); ++i) {
        const Primitive &p = list.Primitives()[i], &before = list.Primitives()[i - 1];
        const auto d = [](float v) { return static_cast<double>(v); };
        if (p.op == Op::Text && before.op == Op::Line && before.colour == kGridLightColour)
            swrTicks[list.TextOf(p)] = d(before.y1);
        if (p.op == Op::Text && before.op == Op::Line && before.x1 == before.x2)
            ticks.push_back({d(before.x1), std::stod(list.TextOf(p))});
        if (p.op == Op::FilledBox && p.colour == kAmateurBandShade)
            shades.push_back({p.x1, p.y1, p.x2, p.y2});
        // The two strokes of an arrow up from the top edge.
        arrowStrokes += p.op == Op::Line && p.penWidth == 2 && std::abs(p.x2 - p.x1) == 70 ? 1 : 0;
    }
    ASSERT_EQ(swrTicks.size(), 9u); // 1, 1.5, 2, 3, 5, 10, 20, 50, 100
    const double decade = swrTicks["1"] - swrTicks["10"];
    EXPECT_NEAR(swrTicks["10"] - swrTicks["100"], decade, 0.01);
    EXPECT_NEAR((swrTicks["1"] - swrTicks["2"]) / decade, std::log10(2.0), 1e-4);
    EXPECT_NEAR((swrTicks["1"] - swrTicks["1.5"]) / decade, std::log10(1.5), 1e-4);
    EXPECT_EQ(arrowStrokes, 2); // the one row above the axis
    ASSERT_GE(ticks.size(), 4u);
    const double perMegahertz =
        (ticks.back().first - ticks.front().first) / (ticks.back().second - ticks.front().second);
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GT(ticks[i].second, ticks[i - 1].second);
        EXPECT_NEAR(ticks[i].first - ticks[0].first, (ticks[i].second - ticks[0].second) * perMegahertz, 0.5);
    }
    // 80 m from the first row (3.5 MHz) to its top (3.8 MHz).
    ASSERT_EQ(shades.size(), 1u);
    EXPECT_NEAR(static_cast<double>(shades[0].right - shades[0].left), 0.3 * perMegahertz, 0.5);
}

// The end labels stand inside the chart's area, so that its clip cuts none, and clear of every
// mark and every stretch of the trace: at home, zoomed onto the trace's first end and panned to
// the area's edges; also where the trace leaves that end up and to the right, where its label
// would go.
TEST(BandScene, EndLabelsStandInsideTheChartClearOfTheTrace) {
    BandSceneModel upRight;
    for (int i = 0; i < 3; ++i) {
        const std::complex<double> gamma(0.08 * i, 0.08 * i), z = 50.0 * (1.0 + gamma) / (1.0 - gamma);
        upRight.points.push_back({static_cast<std::size_t>(i),
                                  7e6f + 1e5f * static_cast<float>(i),
                                  {static_cast<float>(z.real()), static_cast<float>(z.imag())},
                                  1.5,
                                  nullptr});
    }
    const SmallBand band; // its rows' areas outlive the models
    for (const BandSceneModel& model : {band.Model(0), upRight}) {
        std::vector<BandChartView> views{HomeBandView()};
        for (const double zoom : {4.0, 12.0}) {
            BandChartView view = HomeBandView();
            const Load& first = model.points[0].load;
            ZoomBandView(view, MapLoad(first.LoadR, first.LoadX, 50, BandFrame(view)), zoom);
            for (const float dx : {0.0f, -900.0f, 900.0f}) {
                views.push_back(view);
                PanBandView(views.back(), dx, dx / 2);
            }
        }
        for (const BandChartView& view : views) {
            DisplayList list;
            const BandSceneDrawn drawn = DrawBandScene(list, model, view);
            // Whether a stretch of the trace passes through a rectangle, in 400 steps along it.
            const auto crosses = [](const PageRect& r, PagePoint a, PagePoint b) {
                for (float t = 0; t <= 1; t += 1.0f / 400) {
                    if (Inside({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.x + (b.x - a.x) * t,
                                a.y + (b.y - a.y) * t},
                               r))
                        return true;
                }
                return false;
            };
            PageRect extent{};
            for (const Primitive& p : list.Primitives()) {
                if (p.op != Op::Text || list.TextOf(p).find("MHz") == std::string::npos ||
                    p.x1 >= kBandChartArea.right || !ExtentOf(list, p, 0, extent))
                    continue;
                EXPECT_TRUE(Inside(extent, kBandChartArea)) << list.TextOf(p) << " " << view.scale;
                for (std::size_t i = 0; i < drawn.marks.size(); ++i) {
                    const PagePoint& mark = drawn.marks[i];
                    EXPECT_FALSE(Overlap(extent, Inflated({mark.x, mark.y, mark.x, mark.y}, 40)))
                        << list.TextOf(p) << " over a mark at scale " << view.scale;
                    EXPECT_FALSE(i > 0 && crosses(extent, drawn.marks[i - 1], mark))
                        << list.TextOf(p) << " over the trace at scale " << view.scale;
                }
            }
        }
    }
}

TEST(BandScene, RowsAtOneFrequencyGetOneLabel) {
    const BandTable table = ReadBandTable("frequency,topology,impedance,c1,c3,l2\n14.2M,7,50,150p,300p,2.2u\n"
                                          "14.2M,7,50,160p,310p,2.3u\n")
                                .table;
    const std::vector<BandResult> results{ResultOf(table.rows[0]), ResultOf(table.rows[1])};
    DisplayList list;
    DrawBandScene(list, MakeBandSceneModel(table, results, {}, std::nullopt), HomeBandView());
    EXPECT_EQ(std::ranges::count_if(list.Primitives(),
                                    [&list](const Primitive& p) {
                                        return p.op == Op::Text && list.TextOf(p) == "14.2 MHz" &&
                                               p.y1 < kBandChartArea.bottom && p.x1 < kBandChartArea.right;
                                    }),
              1);
}

TEST(BandScene, WheelZoomKeepsTheLoadUnderThePointer) {
    BandChartView view = HomeBandView();
    const PagePoint pointer = MapLoad(25, 30, 50, BandFrame(view));
    ZoomBandView(view, pointer, 2);
    const PagePoint after = MapLoad(25, 30, 50, BandFrame(view));
    EXPECT_EQ(view.scale, 2);
    EXPECT_NEAR(after.x, pointer.x, 0.01);
    EXPECT_NEAR(after.y, pointer.y, 0.01);
    ZoomBandView(view, pointer, 1000);
    EXPECT_EQ(view.scale, kLargestBandScale);
    ZoomBandView(view, pointer, 1e-6);
    EXPECT_EQ(view.scale, kSmallestBandScale);
    const BandChartView before = view;
    PanBandView(view, 100, -50);
    EXPECT_EQ(view.centreX, before.centreX + 100);
    EXPECT_EQ(view.centreY, before.centreY - 50);
}

TEST(BandScene, PointerFindsTheNearestMarkWithinReach) {
    const BandSceneDrawn drawn{{{0, 0}, {100, 0}, {160, 0}}, {}};
    EXPECT_EQ(PointNear(drawn, {120, 0}, 50), 1u);
    EXPECT_EQ(PointNear(drawn, {140, 0}, 50), 2u);
    EXPECT_EQ(PointNear(drawn, {400, 0}, 50), std::nullopt);
}

TEST(BandScene, HoverTellsFrequencyLoadAndSwr) {
    const SmallBand band;
    const BandSceneModel model = band.Model(std::nullopt);
    ASSERT_EQ(model.points.size(), 3u); // frequency order, the failing row left out
    EXPECT_EQ(model.points[1].row, 3u);
    const std::array<std::string, 3> expected{"14.2 MHz", "2.455 +j47.01 Ω", "SWR 38.4"};
    EXPECT_EQ(PointTexts(BandScenePoint{0, 14.2e6f, {2.454566f, 47.01322f}, 38.4, nullptr}), expected);
    EXPECT_EQ(PointTexts(model.points[0])[0], "14.1 MHz, likely misread");
    EXPECT_EQ(PointTexts(model.points[2])[0], "14.3 MHz, predicted");
}

// Measured sweeps beside the rows: on the chart each point lies where its load does against the
// chart's Z0 (a 50 ohm load measured against 75 ohms at the centre), on the SWR plot at its SWR
// within the rows' span only, each trace a line in its own colour; the legend names each file,
// and the pointer finds a measured point and tells it.
TEST(BandScene, MeasuredTracesAndLegend) {
    const SmallBand band; // a 50 ohm chart, rows from 14.1 to 14.3 MHz
    const std::string longName = "dipole measured after the rain on the new feedline, again.s1p";
    const std::vector<MeasuredTrace> traces{
        {"matched.s1p", {75, {{14.0e6, -0.2}, {14.25e6, -0.2}, {14.5e6, -0.2}}}, MeasuredTraceColour(0)},
        {longName, {50, {{14.15e6, 0.5}, {14.35e6, {0, 0.5}}}}, MeasuredTraceColour(1)}};
    BandSceneModel model = band.Model(std::nullopt);
    model.measured = traces;
    DisplayList list;
    const BandSceneDrawn drawn = DrawBandScene(list, model, HomeBandView());
    const ChartFrame frame = BandFrame(HomeBandView());
    ASSERT_EQ(drawn.measured.chart.size(), 2u);
    for (const PagePoint& at : drawn.measured.chart[0]) {
        EXPECT_NEAR(at.x, frame.centreX, 0.01f);
        EXPECT_NEAR(at.y, frame.centreY, 0.01f);
    }
    const PagePoint load150 = MapLoad(150, 0, 50, frame), loadJ = MapLoad(50 * 0.6f, 50 * 0.8f, 50, frame);
    EXPECT_NEAR(drawn.measured.chart[1][0].x, load150.x, 0.5f);
    EXPECT_NEAR(drawn.measured.chart[1][1].x, loadJ.x, 0.5f);
    EXPECT_NEAR(drawn.measured.chart[1][1].y, loadJ.y, 0.5f);
    // Within the rows' span only; SWR 1 on the plot's floor.
    const auto& swr = drawn.measured.swr;
    EXPECT_EQ(
        (std::vector<bool>{std::isfinite(swr[0][0].y), std::isfinite(swr[0][1].y), std::isfinite(swr[0][2].y),
                           std::isfinite(swr[1][0].y), std::isfinite(swr[1][1].y)}),
        (std::vector<bool>{false, true, false, true, false}));
    EXPECT_FLOAT_EQ(swr[0][1].y, kBandSwrArea.bottom - 350);

    const auto hasLine = [&](PagePoint a, PagePoint b, Colour colour) {
        return std::ranges::any_of(list.Primitives(), [&](const Primitive& p) {
            return p.op == Op::Line && p.colour == colour && p.x1 == a.x && p.y1 == a.y && p.x2 == b.x &&
                   p.y2 == b.y;
        });
    };
    EXPECT_TRUE(hasLine(drawn.measured.chart[0][0], drawn.measured.chart[0][2], traces[0].colour))
        << "points within a pen's width of the last one drawn are passed over";
    EXPECT_TRUE(hasLine(drawn.measured.chart[1][0], drawn.measured.chart[1][1], traces[1].colour));
    std::vector<std::string> texts;
    for (const Primitive& p : list.Primitives())
        if (p.op == Op::Text) texts.push_back(list.TextOf(p));
    EXPECT_TRUE(std::ranges::count(texts, "matched.s1p (grid)") == 1);
    EXPECT_TRUE(std::ranges::any_of(texts, [&](const std::string& text) {
        return text.ends_with("…") &&
               longName.starts_with(text.substr(0, text.size() - std::string("…").size()));
    }));

    const auto near = MeasuredPointNear(drawn.measured.chart, {load150.x + 30, load150.y}, 100);
    ASSERT_TRUE(near.has_value());
    EXPECT_EQ(near->trace, 1u);
    EXPECT_EQ(MeasuredPointTexts(traces[1], near->point, model.impedance),
              (std::array<std::string, 3>{longName + ", 14.15 MHz", "150 +j0 Ω", "SWR 3"}));
}

} // namespace
} // namespace vorelin

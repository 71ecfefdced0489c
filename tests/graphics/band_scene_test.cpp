#include "graphics/band_scene.h"

#include "core/tolerance_sweep.h"
#include "graphics/chart_grid.h"
#include "graphics/display_list.h"
#include "graphics/page_layout.h"
#include "tests/support/display_list_text.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>

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

PageRect RectOf(const ControlPlace& place) {
    return {static_cast<float>(place.left), static_cast<float>(place.top),
            static_cast<float>(place.left + place.width), static_cast<float>(place.top + place.height)};
}

bool Inside(const PageRect& inner, const PageRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(BandScene, SmallTableDrawsAsReviewed) {
    const SmallBand band;
    DisplayList list;
    DrawBandScene(list, band.Model(3), HomeBandView());
    // The chart's grid is the results page's own, pinned by its tests: its strokes, clearings
    // and labels (inside the chart's clip, in the grid's colours; it draws no circles) are left
    // out of the dump.
    int clips = 0;
    const auto ours = [&clips](const Primitive& p) {
        if (p.op == Op::Clip) ++clips;
        const bool gridColour = p.colour == kGridLight || p.colour == kGridEmphasis || p.colour == kGridBlank;
        return p.op != Op::Point && p.op != Op::Continue && !(clips == 1 && gridColour && p.op != Op::Circle);
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
    const BandSceneDrawn drawn{{{0, 0}, {100, 0}, {160, 0}}};
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

} // namespace
} // namespace vorelin

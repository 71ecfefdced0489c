#include "graphics/system_scene.h"

#include "core/cables.h"
#include "core/figures_text.h"
#include "graphics/display_list.h"

#include "tests/support/entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vorelin {
namespace {

bool Has(const std::vector<SystemText>& texts, const std::string& wanted, Colour colour) {
    return std::ranges::any_of(texts,
                               [&](const SystemText& t) { return t.text == wanted && t.colour == colour; });
}

// The picture carries the power into each stage, the table marks the largest figure of each
// column (one red figure a column), and a view without figures shows "—" for each power and the
// reason in red; no text ever reads as NaN or infinity.
TEST(SystemScene, PowersLargestPartsAndRefusal) {
    const Entries entries = test::MakeEntries(5, 7.1e6f, 50, {.c2 = 330e-12f, .l1 = 1.1e-6f, .l3 = 2.7e-6f});
    const SystemSettings settings{{400, 200, 1000}, FeedlineOf(*CableNamed("LMR-400"), 30)};
    const SystemView view = SystemViewOf(entries, settings, "", "No tuner profile");
    ASSERT_TRUE(view.figures && view.figures->antennaPowerW) << view.refusal;
    const std::vector<SystemText> texts = SystemTexts(view);
    const Colour black = 0, red = 0x0000C0, reasonRed = 0x000080;
    for (const double watts : {400.0, view.figures->tuner.loadPowerW, *view.figures->antennaPowerW})
        EXPECT_TRUE(Has(texts, FigureText(watts) + " W", black)) << watts;
    std::map<float, int> redPerColumn;
    for (const SystemText& t : texts) {
        if (t.colour == red) ++redPerColumn[t.at.x];
        EXPECT_EQ(t.text.find("nan"), std::string::npos) << t.text;
        EXPECT_EQ(t.text.find("inf"), std::string::npos) << t.text;
    }
    EXPECT_EQ(redPerColumn.size(), 4u);
    for (const auto& [column, count] : redPerColumn)
        EXPECT_EQ(count, 1) << column;
    const double most =
        std::ranges::max(view.figures->tuner.Parts(), {}, &PartStress::dissipatedW).dissipatedW;
    EXPECT_TRUE(Has(texts, FigureText(most) + " W", red));

    SystemSettings bad = settings;
    bad.line->velocityFactor = 1.5;
    const SystemView refused = SystemViewOf(entries, bad, "", "");
    ASSERT_FALSE(refused.figures);
    const std::vector<SystemText> refusedTexts = SystemTexts(refused);
    // The three powers, the tuner's input, the feedpoint and the table's row.
    EXPECT_EQ(std::ranges::count(refusedTexts, std::string(kMissingFigure), &SystemText::text), 6);
    EXPECT_TRUE(Has(refusedTexts, std::string(kLineReasonVelocityFactor), reasonRed));
    DisplayList drawn;
    DrawSystemPage(drawn, refused);
    EXPECT_GT(drawn.Primitives().size(), refusedTexts.size());
}

} // namespace
} // namespace vorelin

#include "print/report.h"

#include "graphics/chart_grid.h"

#include "tests/support/display_list_text.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vorelin {
namespace {

// A sheet as text: every primitive one line, except the printed grid between the title and the
// chart's caption, which is the graphics tests' subject: its length and fingerprint stand for it,
// with its circles (the load mark among them) spelled out.
std::string SheetText(const Entries& entries, DotStyle mark, int accuracyPercent = 0) {
    DisplayList list;
    DrawReport(list,
               AnalyseLoad(entries, accuracyPercent > 0 ? std::optional(AccuracyFraction(accuracyPercent))
                                                        : std::nullopt),
               "06/12/2024 19:09", mark);
    const auto& all = list.Primitives();
    std::size_t caption = 1;
    while (caption < all.size() &&
           !(all[caption].op == Op::Text && list.TextOf(all[caption]).starts_with("Load as")))
        ++caption;
    std::string text = test::Show(list, all[0]) + "\n", chart, circles;
    for (std::size_t i = 1; i < caption; ++i) {
        chart += test::Show(list, all[i]) + "\n";
        if (all[i].op == Op::Circle) circles += "  " + test::Show(list, all[i]) + "\n";
    }
    text += "chart: " + test::Fingerprint(chart) + ", its circles:\n" + circles;
    for (std::size_t i = caption; i < all.size(); ++i)
        text += test::Show(list, all[i]) + "\n";
    return text;
}

// The sheet of each topology (the typical parts), a purely resistive load, a load marked in
// another style, and entries that give no load; then the chart captions of a few impedances.
TEST(Report, Sheets) {
    std::string text;
    for (int topology = 1; topology <= 8; ++topology)
        text += "== topology " + std::to_string(topology) + "\n" +
                SheetText(test::TypicalExample(topology), kLoadMark);
    text += "== a purely resistive load\n" + SheetText(test::MakeEntries(2, 7e6f, 50), kLoadMark);
    text += "== the nominal mark\n" + SheetText(test::TypicalExample(), kNominalDot);
    text += "== no load\n" + SheetText(test::NotComputable(), kLoadMark);
    text += "== the tolerance area at 5 %\n" + SheetText(test::TypicalExample(), kNominalDot, 5);
    for (const float impedance : {50.0f, 75.0f, 0.5f, 12.5f, 1e6f})
        text += ChartCaption(impedance) + "\n";
    EXPECT_EQ(test::GoldenMismatch("print/golden/sheets.txt", text), "");
}

// With an accuracy the chart shows the tolerance area, filled under the grid in the region's
// green; the date and the version stand under the figures, not between the chart and them.
TEST(Report, AreaUnderTheGridAndFooterUnderTheFigures) {
    for (const int percent : {0, 5}) {
        DisplayList sheet;
        DrawReport(sheet,
                   AnalyseLoad(test::TypicalExample(),
                               percent > 0 ? std::optional(AccuracyFraction(percent)) : std::nullopt),
                   "06/12/2024 19:09", kNominalDot);
        const auto& all = sheet.Primitives();
        const auto first = [&all](auto&& is) { return std::ranges::find_if(all, is) - all.begin(); };
        const auto area =
            first([](const Primitive& p) { return p.op == Op::Rings && p.colour == kRegionDot.colour; });
        EXPECT_EQ(area<first([](const Primitive& p) { return p.colour == kGridLightColour; }), percent> 0);
        // The texts from the first figure down: the figures, then the date, then the version.
        const auto figures =
            first([&](const Primitive& p) { return p.op == Op::Text && sheet.TextOf(p).starts_with("SWR"); });
        std::vector<float> tops;
        for (auto i = static_cast<std::size_t>(figures); i < all.size(); ++i)
            tops.push_back(all[i].y1);
        EXPECT_GT(tops.front(), 11000.0f); // under the chart
        EXPECT_TRUE(std::ranges::is_sorted(tops));
        EXPECT_EQ(sheet.TextOf(all.back()).substr(0, 8), "Vorelin ");
        EXPECT_EQ(sheet.TextOf(all[all.size() - 2]), "06/12/2024 19:09");
    }
}

} // namespace
} // namespace vorelin

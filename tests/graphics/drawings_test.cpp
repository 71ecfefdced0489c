// Every drawing of the program against its reviewed golden file: an outline to read, and a
// fingerprint of the exact primitives (every coordinate's bits, colour, pen and text).
#include "graphics/chart_grid.h"
#include "graphics/opening_illustration.h"
#include "graphics/program_icon.h"
#include "graphics/results_scene.h"
#include "graphics/schematic.h"
#include "graphics/style.h"

#include "tests/support/display_list_text.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vorelin {
namespace {

using test::MakeEntries;
using test::TypicalExample;

ChartView View(float x, float y, float scale) { return {x, y, scale, scale}; }

// Each symbol on each page, from an anchor with a fractional X (only the coil's ground rail
// start is rounded).
void AllSymbols(DisplayList& list) {
    Entries entries = TypicalExample();
    for (const SchematicPage page :
         {SchematicPage::Entries, SchematicPage::Results, SchematicPage::Opening, SchematicPage::Printer}) {
        for (const float loadX : {-12.5f, 0.0f, 47.0f}) {
            Schematic symbols(list, entries, loadX, page);
            Anchor at{1000.5f, 2000};
            symbols.Gen(at);
            symbols.Wire(at);
            symbols.SeriesL(at);
            symbols.ShuntL(at);
            symbols.SeriesC(at);
            symbols.ShuntC(at);
            symbols.LongWire(at);
            symbols.Load(at);
            list.MoveTo(at.X, at.Y);
            list.Print("end");
        }
    }
}

const Entries kResistive = MakeEntries(1, 1e6f / 6.2831855f, 50, {.c2 = 10e-9f, .l1 = 50e-6f});

struct Drawing {
    const char* name;
    std::function<void(DisplayList&)> draw;
};

const Drawing kDrawings[] = {
    {"grid-home", [](DisplayList& l) { DrawGrid(l, View(9000, 5000, 1), 0.75f); }},
    {"grid-zoomed-wide", [](DisplayList& l) { DrawGrid(l, View(8500, 4500, 5), 1.5f); }},
    {"grid-printed",
     [](DisplayList& l) {
         PrintGrid(l, PrintedLoadMark{{30, -40}, 50, kNominalDot});
     }},
    {"opening", [](DisplayList& l) { DrawOpeningSchematic(l), DrawOpeningChart(l, 0.6f); }},
    {"thumbnails-7", [](DisplayList& l) { DrawLibrary(l, 7); }},
    {"icon", [](DisplayList& l) { DrawProgramIcon(l); }},
    {"symbols", AllSymbols},
    {"results-resistive", [](DisplayList& l) { DrawResultsPicture(l, AnalyseLoad(kResistive), 0.75f); }},
    {"results-not-computable",
     [](DisplayList& l) { DrawResultsPicture(l, AnalyseLoad(test::NotComputable(), 0.2f), 0.75f); }},
    {"results-7-at-5",
     [](DisplayList& l) { DrawResultsPicture(l, AnalyseLoad(TypicalExample(7), 0.05f), 0.75f); }},
    // Region loads beyond r = 5 stay visible inside the blanked disc.
    {"results-8-at-20",
     [](DisplayList& l) {
         DrawResultsPicture(
             l,
             AnalyseLoad(MakeEntries(8, 14.2e6f, 50, {.c2 = 100e-12f, .l1 = 2.2e-6f, .l3 = 1.5e-6f}), 0.2f),
             0.75f);
     }},
};

TEST(Drawings, MatchTheirGoldenFiles) {
    for (const Drawing& drawing : kDrawings) {
        DisplayList list;
        drawing.draw(list);
        const std::string text =
            test::Outline(list) + "exact: " + test::Fingerprint(test::ListText(list)) + "\n";
        const std::string mismatch =
            test::GoldenMismatch(std::string("graphics/golden/") + drawing.name + ".txt", text);
        EXPECT_TRUE(mismatch.empty()) << mismatch;
    }
}

// Every drawing takes its colours from the style table, by role: a colour of its own is a fault.
TEST(Drawings, UseOnlyTheColoursOfTheStyle) {
    for (const Drawing& drawing : kDrawings) {
        DisplayList list;
        drawing.draw(list);
        for (const Primitive& p : list.Primitives()) {
            if (p.op != Op::Clip && std::ranges::find(kRoleColours, p.colour) == kRoleColours.end())
                ADD_FAILURE() << drawing.name << ": " << test::Show(list, p);
        }
    }
}

// The results page as it opens, for every topology: where its labels went, and a fingerprint.
TEST(Drawings, ResultsPageOfEveryTopology) {
    std::string text;
    for (int topology = 1; topology <= 8; ++topology) {
        DisplayList list;
        DrawResultsPicture(list, AnalyseLoad(TypicalExample(topology)), 0.75f);
        text +=
            "topology " + std::to_string(topology) + ": " + test::Fingerprint(test::ListText(list)) + "\n";
        for (const PageLabel& l : LayoutResults(AnalyseLoad(TypicalExample(topology)), {}).labels)
            text += "  " + l.name + " '" + l.text.substr(0, l.text.find('\n')) + "' at " +
                    std::to_string(l.left) + "," + std::to_string(l.top) + "\n";
    }
    const std::string mismatch = test::GoldenMismatch("graphics/golden/results-topologies.txt", text);
    EXPECT_TRUE(mismatch.empty()) << mismatch;
}

} // namespace
} // namespace vorelin

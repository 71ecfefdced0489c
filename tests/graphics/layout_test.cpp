// Nothing on the results page or the printed report covers anything else: every label, readout
// and text against every other, against the schematic's strokes and the controls, at every
// topology, with the longest values the formatters give.
#include "graphics/page_layout.h"
#include "graphics/results_scene.h"
#include "print/report.h"

#include "tests/support/entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorelin {
namespace {

using test::MakeEntries;

struct Named {
    std::string name;
    PageRect rect;
};

std::string Show(const PageRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Every pair that overlaps, as text.
std::vector<std::string> Collisions(const std::vector<Named>& movable, const std::vector<Named>& fixed) {
    std::vector<std::string> found;
    for (std::size_t a = 0; a < movable.size(); ++a) {
        for (std::size_t b = a + 1; b < movable.size(); ++b) {
            if (Overlap(movable[a].rect, movable[b].rect)) found.push_back(movable[a].name + " x " + movable[b].name);
        }
        for (const Named& f : fixed) {
            if (Overlap(movable[a].rect, f.rect)) found.push_back(movable[a].name + " x " + f.name + " " + Show(f.rect));
        }
    }
    return found;
}

// Entries of every topology with typical values, with the longest part texts (negative where a
// part may be so), as a purely resistive load and as a load that cannot be computed.
std::vector<Entries> Cases() {
    std::vector<Entries> cases;
    for (int t = 1; t <= 8; ++t) {
        cases.push_back(test::TypicalExample(t));
        cases.push_back(MakeEntries(t, 14.2e6f, 50, {1234.56e-12f, 9876.54e-12f, 2345.67e-12f, 1.234567e-6f, 2.345678e-6f, 3.456789e-6f}));
        cases.push_back(MakeEntries(t, 3.5e6f, 75, {9999.99e-12f, -9999.99e-12f, 0.999999e-9f, -999.999e-9f, 0.999999e-9f, 999.999e-6f}));
    }
    cases.push_back(MakeEntries(1, 1e6f / 6.2831855f, 50, {.c2 = 10e-9f, .l1 = 50e-6f}));
    cases.push_back(test::NotComputable());
    return cases;
}

TEST(Layout, NothingOnTheResultsPageCoversAnything) {
    for (const Entries& entries : Cases()) {
        for (const bool region : {false, true}) {
            ResultsScratch scratch;
            const ResultsModel model = ComputeResults(entries, 0.2f, region, scratch);
            ResultsView view;
            view.hintShown = region;
            const ResultsLayout layout = LayoutResults(model, view);
            std::vector<Named> labels, fixed;
            for (const PageLabel& l : layout.labels)
                labels.push_back({l.name + " '" + l.text.substr(0, 20) + "'",
                                  {static_cast<float>(l.left), static_cast<float>(l.top),
                                   static_cast<float>(l.left + l.width), static_cast<float>(l.top + l.height)}});
            DisplayList schematic;
            view.drawing = ResultsDrawing::LoadMarked;
            DrawResultsPicture(schematic, entries, 0.75f); // the readout's strokes and texts come first
            PageRect extent{};
            for (const Primitive& p : schematic.Primitives()) {
                if (p.op == Op::Clip) break; // the chart follows
                if (ExtentOf(schematic, p, 10, extent)) fixed.push_back({"stroke or text", extent});
            }
            for (const ControlPlace& c : ResultsControlPlaces())
                fixed.push_back({std::string(c.name),
                                 {static_cast<float>(c.left), static_cast<float>(c.top),
                                  static_cast<float>(c.left + c.width), static_cast<float>(c.top + c.height)}});
            EXPECT_EQ(Collisions(labels, fixed), std::vector<std::string>{})
                << "topology " << entries.Topology << " C1 " << entries.C1 << " region " << region;
        }
    }
}

TEST(Layout, NoTextOfTheReportCoversAnotherOrAStroke) {
    for (const Entries& entries : Cases()) {
        DisplayList sheet;
        DrawReport(sheet, entries, "06/12/2024 19:09", kLoadMark, 5);
        std::vector<Named> texts, strokes;
        PageRect extent{};
        for (const Primitive& p : sheet.Primitives()) {
            // The chart's own labels sit on its lines by design.
            if (!ExtentOf(sheet, p, 10, extent) || (extent.top > 4500 && extent.bottom < 11200)) continue;
            (p.op == Op::Text ? texts : strokes).push_back({p.op == Op::Text ? sheet.TextOf(p) : "stroke", extent});
        }
        EXPECT_EQ(Collisions(texts, strokes), std::vector<std::string>{}) << "topology " << entries.Topology;
    }
}

} // namespace
} // namespace vorelin

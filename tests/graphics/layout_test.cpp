// Nothing on the results page or the printed report covers anything else: every label, readout
// and text against every other, against the schematic's strokes and the controls, at every
// topology, with the longest values the formatters give; and each text stands beside what it tells
// of.
#include "graphics/chart_grid.h"
#include "graphics/page_layout.h"
#include "graphics/results_scene.h"
#include "print/report.h"

#include "core/topology.h"
#include "tests/support/entries.h"
#include "tests/support/page_rects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorelin {
namespace {

using test::Collisions;
using test::Gap;
using test::MakeEntries;
using test::Named;

// The bodies of the results page's symbols, read off the drawing of its schematic: the
// generator's circle, each coil (its three turns) and each capacitor (its two plates) in drawing
// order, which is position order with the load's lead-in last, and the load's zigzag.
struct DrawnBodies {
    PageRect generator{};
    std::vector<PageRect> symbols;
    PageRect resistor{};
};

PageRect Union(const PageRect& a, const PageRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

DrawnBodies BodiesOf(const DisplayList& drawing) {
    DrawnBodies bodies;
    int turns = 0, plates = 0;
    for (const Primitive& p : drawing.Primitives()) {
        if (p.op == Op::Arc && p.radius == 190)
            bodies.generator = {p.centreX - 190, p.centreY - 190, p.centreX + 190, p.centreY + 190};
        if (p.op == Op::Arc && p.radius == 80) {
            // A series coil's turns bulge up from the rail, a shunt coil's to the right.
            const PageRect turn = p.start == 0
                                      ? PageRect{p.centreX - 80, p.centreY - 80, p.centreX + 80, p.centreY}
                                      : PageRect{p.centreX, p.centreY - 80, p.centreX + 80, p.centreY + 80};
            if (turns++ % 3 == 0) {
                bodies.symbols.push_back(turn);
            } else {
                bodies.symbols.back() = Union(bodies.symbols.back(), turn);
            }
        }
        const float width = std::abs(p.x2 - p.x1), height = std::abs(p.y2 - p.y1);
        if (p.op == Op::Line && ((width == 240 && height == 0) || (width == 0 && height == 240))) {
            const PageRect plate{std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::max(p.x1, p.x2),
                                 std::max(p.y1, p.y2)};
            if (plates++ % 2 == 0) {
                bodies.symbols.push_back(plate);
            } else {
                bodies.symbols.back() = Union(bodies.symbols.back(), plate);
            }
        }
        if (p.op == Op::Line && width == 0 && p.y2 - p.y1 == 320)
            bodies.resistor = {p.x1 - 60, p.y1 + 320, p.x1 + 60, p.y1 + 680};
    }
    return bodies;
}

// Whether a label lies nearer `own` than any other body, and over none.
std::string BesideOnly(const Named& label, const PageRect& own, const DrawnBodies& bodies) {
    std::vector<PageRect> all = bodies.symbols;
    all.push_back(bodies.generator);
    all.push_back(bodies.resistor);
    for (const PageRect& body : all) {
        if (Overlap(label.rect, body)) return label.name + " over a symbol at " + test::Show(body);
        if (!(body == own) && Gap(label.rect, body) <= Gap(label.rect, own))
            return label.name + " as near the symbol at " + test::Show(body) + " as its own";
    }
    return {};
}

// Entries of every topology with typical values, with the longest part texts (negative where a
// part may be so), as a purely resistive load and as a load that cannot be computed.
std::vector<Entries> Cases() {
    std::vector<Entries> cases;
    for (int t = 1; t <= 8; ++t) {
        cases.push_back(test::TypicalExample(t));
        cases.push_back(MakeEntries(
            t, 14.2e6f, 50,
            {1234.56e-12f, 9876.54e-12f, 2345.67e-12f, 1.234567e-6f, 2.345678e-6f, 3.456789e-6f}));
        cases.push_back(MakeEntries(
            t, 3.5e6f, 75,
            {9999.99e-12f, -9999.99e-12f, 0.999999e-9f, -999.999e-9f, 0.999999e-9f, 999.999e-6f}));
    }
    cases.push_back(MakeEntries(1, 1e6f / 6.2831855f, 50, {.c2 = 10e-9f, .l1 = 50e-6f}));
    cases.push_back(test::NotComputable());
    return cases;
}

Named NamedOf(const PageLabel& l) {
    return {l.name + " '" + l.text.substr(0, 20) + "'",
            {static_cast<float>(l.left), static_cast<float>(l.top), static_cast<float>(l.left + l.width),
             static_cast<float>(l.top + l.height)}};
}

// The results page's texts where the issue of each must hold: nothing covers anything, nothing
// lies in the chart's area (so no view of the chart changes them), each part's label is beside its
// part and the resistance beside its resistor (nearer it than any other symbol, over none), the
// load's heading right above its readout or beside it, and the network's heading on the first rows.
TEST(Layout, TheResultsPageKeepsEachTextInItsPlace) {
    for (const Entries& entries : Cases()) {
        for (const bool region : {false, true}) {
            const LoadAnalysis model = AnalyseLoad(entries, region ? std::optional(0.2f) : std::nullopt);
            ResultsView view;
            view.hintShown = region;
            const ResultsLayout layout = LayoutResults(model, view);
            const std::string context = "topology " + std::to_string(entries.Topology) + " C1 " +
                                        std::to_string(entries.C1) + " region " + std::to_string(region);
            std::vector<Named> labels, fixed{{"chart area", kResultsChartArea}};
            for (const PageLabel& l : layout.labels)
                labels.push_back(NamedOf(l));
            DisplayList schematic;
            DrawResultsReadout(schematic, model);
            PageRect extent{};
            for (const Primitive& p : schematic.Primitives()) {
                if (!ExtentOf(schematic, p, 10, extent)) continue;
                fixed.push_back({"stroke or text", extent});
                EXPECT_FALSE(Overlap(extent, kResultsChartArea))
                    << context << " drawn at " << test::Show(extent);
            }
            for (const ControlPlace& c : ResultsControlPlaces())
                fixed.push_back(
                    {std::string(c.name),
                     {static_cast<float>(c.left), static_cast<float>(c.top),
                      static_cast<float>(c.left + c.width), static_cast<float>(c.top + c.height)}});
            EXPECT_EQ(Collisions(labels, fixed), std::vector<std::string>{}) << context;

            const DrawnBodies bodies = BodiesOf(schematic);
            const auto parts = PartsOf(entries.Topology);
            const auto find = [&](std::string_view name) {
                return std::ranges::find_if(layout.labels,
                                            [&](const PageLabel& l) { return l.name == name; });
            };
            for (std::size_t position = 0; position < parts.size(); ++position) {
                const auto label = find("lbl" + std::string(parts[position].name));
                ASSERT_NE(label, layout.labels.end()) << context;
                EXPECT_EQ(BesideOnly(NamedOf(*label), bodies.symbols[position], bodies), "") << context;
            }
            const auto reactance = find("lblReactance"), heading = find("lblLoad"),
                       network = find("lblNetwork");
            ASSERT_TRUE(reactance != layout.labels.end() && heading != layout.labels.end() &&
                        network != layout.labels.end());
            if (const auto resistance = find("lblResistance"); resistance != layout.labels.end()) {
                EXPECT_EQ(BesideOnly(NamedOf(*resistance), bodies.resistor, bodies), "") << context;
            }
            const PageRect readout = NamedOf(*reactance).rect, top = NamedOf(*heading).rect;
            const bool above =
                top.left == readout.left && top.bottom <= readout.top && readout.top - top.bottom < 100;
            const bool beside = top.top == readout.top && (Gap(top, readout) < 100);
            EXPECT_TRUE(above || beside) << context << " heading at " << test::Show(top);
            EXPECT_LE(network->top, 1200) << context;
        }
    }
}

TEST(Layout, NoTextOfTheReportCoversAnotherOrAStroke) {
    for (const Entries& entries : Cases()) {
        DisplayList sheet;
        DrawReport(sheet, AnalyseLoad(entries, 0.05f), "06/12/2024 19:09", kLoadMark);
        std::vector<Named> texts, strokes;
        PageRect extent{};
        for (const Primitive& p : sheet.Primitives()) {
            // The chart's own labels sit on its lines by design.
            if (!ExtentOf(sheet, p, 10, extent) || (extent.top > 4500 && extent.bottom < 11200)) continue;
            (p.op == Op::Text ? texts : strokes)
                .push_back({p.op == Op::Text ? sheet.TextOf(p) : "stroke", extent});
        }
        EXPECT_EQ(Collisions(texts, strokes), std::vector<std::string>{}) << "topology " << entries.Topology;
    }
}

} // namespace
} // namespace vorelin

#include "graphics/schematic.h"

#include "core/engineering_value.h"
#include "graphics/display_list.h"
#include "graphics/opening_illustration.h"
#include "primitive_text.h"
#include "strokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vorelin {
namespace {

using test::ShowAll;
using test::StrokesOf;
using Shown = std::vector<std::string>;

Session Entries() {
    Session s;
    InitConstants(s);
    s.Topology = 7;
    s.Frequency = 14.2e6f;
    s.Impedance = 50;
    s.LoadX = 0;
    return s;
}

using SymbolCall = void (Schematic::*)(Anchor&);

struct Drawn {
    DisplayList list;
    Anchor at;
};

Drawn DrawOne(SchematicPage page, const Session& session,
              const std::function<void(Schematic&, Anchor&)>& draw, Anchor from = {1000, 2000}) {
    Drawn drawn{DisplayList{}, from};
    Schematic schematic(drawn.list, session, page);
    draw(schematic, drawn.at);
    return drawn;
}

Drawn DrawSymbol(SchematicPage page, const Session& session, SymbolCall symbol, Anchor from = {1000, 2000}) {
    return DrawOne(
        page, session, [symbol](Schematic& s, Anchor& at) { (s.*symbol)(at); }, from);
}

std::vector<const Primitive*> OfKind(const DisplayList& list, Op op) {
    std::vector<const Primitive*> found;
    for (const Primitive& p : list.Primitives()) {
        if (p.op == op) found.push_back(&p);
    }
    return found;
}

TEST(Schematic, SymbolWidthsOnEveryPage) {
    using P = SchematicPage;
    const struct {
        const char* name;
        SymbolCall symbol;
        float loadX;
        float screen, paper;
    } kCases[] = {
        {"Wire", &Schematic::Wire, 0, 160, 160},
        {"SeriesL", &Schematic::SeriesL, 0, 960, 1280},
        {"ShuntL", &Schematic::ShuntL, 0, 640, 640},
        {"SeriesC", &Schematic::SeriesC, 0, 360, 1000},
        {"ShuntC", &Schematic::ShuntC, 0, 640, 640},
        {"Gen", &Schematic::Gen, 0, 1050, 1810},
        {"LongWire", &Schematic::LongWire, 0, 360, 360},
        {"Load, inductive", &Schematic::Load, 12.5f, 1120, 1600},
        {"Load, capacitive", &Schematic::Load, -12.5f, 520, 1320},
        {"Load, resistive", &Schematic::Load, 0, 320, 680},
    };
    for (const auto& c : kCases) {
        Session s = Entries();
        s.LoadX = c.loadX;
        for (const P page : {P::Entries, P::Results, P::Opening, P::Printer}) {
            float width = page == P::Printer ? c.paper : c.screen;
            if (page == P::Opening && c.symbol == &Schematic::Load) width = 160; // one Wire as lead-in
            const Drawn drawn = DrawSymbol(page, s, c.symbol, {1000.25f, 2000});
            EXPECT_EQ(drawn.at.X, 1000.25f + width) << c.name << " on page " << static_cast<int>(page);
            EXPECT_EQ(drawn.at.Y, 2000) << c.name;
        }
    }
}

TEST(Schematic, SeriesLFromTheExampleAnchor) {
    const Drawn drawn = DrawSymbol(SchematicPage::Results, Entries(), &Schematic::SeriesL);
    EXPECT_EQ(drawn.at.X, 1960);

    // The ground rail runs from 1000 to 1960 without a gap: two Wire stretches and the 640
    // under the coil.
    EXPECT_EQ(ShowAll(drawn.list,
                      [](const Primitive& p) { return p.op == Op::Line && p.y1 == 3040 && p.y2 == 3040; }),
              (Shown{"Line 1000,3040 1160,3040 pen1 #000000", "Line 1160,3040 1800,3040 pen1 #000000",
                     "Line 1800,3040 1960,3040 pen1 #000000"}));

    EXPECT_EQ(ShowAll(drawn.list, Op::Arc), (Shown{"Arc 1320,2000 r80 0..3.1415926535897931 pen1 #000000",
                                                   "Arc 1480,2000 r80 0..3.1415926535897931 pen1 #000000",
                                                   "Arc 1640,2000 r80 0..3.1415926535897931 pen1 #000000"}));
}

TEST(Schematic, OnlyTheGroundRailUnderTheCoilStartsAtAWholeNumber) {
    const struct {
        float x;
        float railStart;
    } kCases[] = {{1000.5f, 1160}, {1001.5f, 1162}, {1000.25f, 1160}, {999.75f, 1160}};
    for (const auto& c : kCases) {
        const Drawn drawn = DrawSymbol(SchematicPage::Results, Entries(), &Schematic::SeriesL, {c.x, 2000});
        const auto lines = OfKind(drawn.list, Op::Line);
        EXPECT_EQ(lines[0]->x1, c.x); // the first Wire keeps the fraction
        EXPECT_EQ(drawn.at.X, c.x + 960);
        const auto rail = std::find_if(lines.begin(), lines.end(), [](const Primitive* p) {
            return p->y1 == 3040 && p->x2 - p->x1 > 600;
        });
        ASSERT_NE(rail, lines.end());
        EXPECT_EQ((*rail)->x1, c.railStart) << c.x;
        EXPECT_EQ((*rail)->x2, c.x + 800) << c.x;
        EXPECT_EQ(OfKind(drawn.list, Op::Arc)[0]->centreX, c.x + 320) << c.x;
    }
}

TEST(Schematic, ShuntInductorCoilAndColours) {
    using P = SchematicPage;
    for (const P page : {P::Entries, P::Results, P::Printer}) {
        const Drawn drawn = DrawSymbol(page, Entries(), &Schematic::ShuntL);
        for (const Primitive& p : drawn.list.Primitives()) {
            const bool coil = p.op == Op::Arc || p.x1 == p.x2; // the vertical parts
            EXPECT_EQ(p.colour, coil ? kShuntInductorColour : 0u);
        }
        const auto arcs = OfKind(drawn.list, Op::Arc);
        ASSERT_EQ(arcs.size(), 3u);
        const double pi = Entries().Pi;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(arcs[i]->centreX, 1320);
            EXPECT_EQ(arcs[i]->centreY, 2360 + 160 * static_cast<float>(i));
            EXPECT_EQ(arcs[i]->start, 3 * pi / 2);
            EXPECT_EQ(arcs[i]->end, pi / 2);
        }
    }
}

TEST(Schematic, GeneratorOnTheResultsPagePrintsItsTexts) {
    DisplayList list;
    list.SetPenWidth(7);
    const Session session = Entries();
    Schematic schematic(list, session, SchematicPage::Results);
    Anchor at{1000, 2000};
    schematic.Gen(at);
    EXPECT_EQ(at.X, 2050);
    EXPECT_EQ(list.PenWidth(), 7);
    // Each text placed by a point of the background's colour.
    EXPECT_EQ(ShowAll(list, [](const Primitive& p) { return p.op == Op::Point || p.op == Op::Text; }),
              (Shown{"Point 1000,3900 pen7 #FFFFC0",
                     "Text 'System impedance: 50 ohms' 1000,3900 Arial 0 pen7 #000000",
                     "Point 1000,3200 pen7 #FFFFFF", "Text 'Test freq:' 1000,3200 Arial 0 pen7 #000000",
                     "Point 1000,3400 pen7 #FFFFC0", "Text '14.2M' 1000,3400 Arial 0 pen7 #000000"}));
    for (const Primitive& p : list.Primitives())
        EXPECT_EQ(p.penWidth, 7);

    const Drawn thumbnail = DrawSymbol(SchematicPage::Entries, Entries(), &Schematic::Gen);
    EXPECT_TRUE(OfKind(thumbnail.list, Op::Text).empty());
}

TEST(Schematic, PrintedGenerator) {
    Session s = Entries();
    s.Frequency = 7.1e6f;
    s.Impedance = 75;
    DisplayList list;
    Schematic printed(list, s, SchematicPage::Printer);
    Anchor at{1500, 2000};
    printed.Gen(at);
    EXPECT_EQ(at.X, 3310);
    EXPECT_EQ(list.PenWidth(), 10);
    for (const Primitive& p : list.Primitives())
        EXPECT_EQ(p.penWidth, 10);
    EXPECT_TRUE(OfKind(list, Op::Point).empty()); // texts are placed without a pixel
    EXPECT_EQ(ShowAll(list, Op::Text), (Shown{"Text 'Test freq:' 1600,3200 Arial 0 pen10 #000000",
                                              "Text ' 7.1 M' 1600,3500 Arial 0 pen10 #000000",
                                              "Text ' 75 ' 2420,1600 Arial 0 pen10 #000000"}));
    const auto lines = OfKind(list, Op::Line);
    EXPECT_EQ(lines[2]->x1, 1840); // the ground rail from X + 340
    EXPECT_EQ(lines[2]->x2, 3150);
}

TEST(Schematic, LoadLeadInFollowsTheReactance) {
    const struct {
        float loadX;
        std::size_t arcs;
        float resistorX;
    } kCases[] = {{25, 3, 2120}, {-25, 0, 1520}, {0, 0, 1320}};
    for (const auto& c : kCases) {
        Session s = Entries();
        s.LoadX = c.loadX;
        const Drawn drawn = DrawSymbol(SchematicPage::Results, s, &Schematic::Load);
        EXPECT_EQ(drawn.at.X, c.resistorX) << c.loadX;
        EXPECT_EQ(OfKind(drawn.list, Op::Arc).size(), c.arcs) << c.loadX;
        const auto strokes = StrokesOf(drawn.list);
        const auto resistor = strokes.back().Vertices();
        const float x = c.resistorX;
        const test::Stroke::Vertex kZigzag[] = {
            {x, 2000},      {x, 2320},      {x + 60, 2350}, {x - 60, 2410}, {x + 60, 2470},
            {x - 60, 2540}, {x + 60, 2590}, {x - 60, 2650}, {x, 2680},      {x, 3040}};
        ASSERT_EQ(resistor.size(), std::size(kZigzag)) << c.loadX;
        for (std::size_t i = 0; i < resistor.size(); ++i) {
            EXPECT_EQ(resistor[i].x, kZigzag[i].x) << i;
            EXPECT_EQ(resistor[i].y, kZigzag[i].y) << i;
        }
    }
}

TEST(Schematic, OpeningPageStrokesAreBlueAndKeepThePen) {
    DisplayList list;
    list.SetPenWidth(2);
    Session s = Entries();
    s.LoadX = -5;
    Schematic opening(list, s, SchematicPage::Opening);
    Anchor at{1000, 3500};
    opening.Gen(at);
    opening.Wire(at);
    opening.ShuntC(at);
    opening.SeriesL(at);
    opening.SeriesC(at);
    opening.Load(at);
    EXPECT_TRUE(OfKind(list, Op::Text).empty());
    for (const Primitive& p : list.Primitives()) {
        EXPECT_EQ(p.colour, kOpeningStroke);
        EXPECT_EQ(p.penWidth, 2);
    }
    EXPECT_EQ(at.X, 1000 + 1050 + 160 + 640 + 960 + 360 + 160);
}

TEST(Schematic, ThumbnailsWithTheChosenTopologyHighlighted) {
    const Session s = Entries();
    DisplayList list;
    DrawLibrary(list, s);

    EXPECT_EQ(ShowAll(list, Op::FilledBox),
              (Shown{"Box 4500,2300 6250,3700 pen2 #FFFFFF", "Box 6500,2300 8250,3700 pen2 #FFFFFF",
                     "Box 8500,2300 9650,3700 pen2 #FFFFFF", "Box 9900,2300 11050,3700 pen2 #FFFFFF",
                     "Box 4500,3800 7200,5200 pen2 #FFFFFF", "Box 8000,3800 9700,5200 pen2 #FFFFFF",
                     "Box 4500,5300 7050,6700 pen2 #FFFFDD", "Box 7700,5300 9700,6700 pen2 #FFFFFF"}));
    for (const Primitive& p : list.Primitives())
        EXPECT_EQ(p.penWidth, 2);

    const auto& primitives = list.Primitives();
    int labels = 0;
    for (std::size_t i = 1; i < primitives.size(); ++i) {
        if (primitives[i].op != Op::Text) continue;
        ++labels;
        ASSERT_EQ(primitives[i - 1].op, Op::Point);
        EXPECT_EQ(primitives[i - 1].colour, 0xFFFFDDu);
        if (list.TextOf(primitives[i]) == "C3" && primitives[i].y1 > 5500) {
            EXPECT_EQ(primitives[i].x1, 6160);
            EXPECT_EQ(primitives[i].y1, 5900);
        }
    }
    EXPECT_EQ(labels, 2 * 4 + 3 * 4);

    Anchor at{4500, 5500};
    DisplayList draw7;
    Schematic(draw7, s, SchematicPage::Entries).Draw7(at);
    EXPECT_EQ(at.X, 7060);

    // Another topology moves the highlight when the library is drawn again.
    Session other = s;
    other.Topology = 2;
    DrawLibrary(list, other);
    const auto again = OfKind(list, Op::FilledBox);
    EXPECT_EQ(again[8 + 1]->colour, 0xFFFFDDu);
    EXPECT_EQ(again[8 + 6]->colour, 0xFFFFFFu);
}

TEST(Schematic, NetworkLengthsAndNoDecorationOnTheResultsPage) {
    const float kLengths[] = {1760, 1760, 1160, 1160, 2720, 1680, 2560, 1960};
    for (int topology = 1; topology <= 8; ++topology) {
        const Drawn drawn = DrawOne(SchematicPage::Results, Entries(),
                                    [topology](Schematic& s, Anchor& at) { s.DrawNetwork(topology, at); });
        EXPECT_EQ(drawn.at.X, 1000 + kLengths[topology - 1]) << topology;
        EXPECT_TRUE(OfKind(drawn.list, Op::FilledBox).empty());
        EXPECT_TRUE(OfKind(drawn.list, Op::Text).empty());
    }
    for (const int topology : {0, 9, -1}) {
        const Drawn drawn = DrawOne(SchematicPage::Results, Entries(),
                                    [topology](Schematic& s, Anchor& at) { s.DrawNetwork(topology, at); });
        EXPECT_EQ(drawn.at.X, 1000);
        EXPECT_TRUE(drawn.list.Primitives().empty());
    }
}

TEST(Schematic, PrintedNetworkLabelsItsPartValues) {
    Session s = Entries();
    s.Net46C1 = 100e-12f;
    s.Net46L2 = 2.2e-6f;
    s.Net46C3 = 47e-12f;
    s.C1 = 1; // the copies are printed, not the entries
    const Drawn drawn = DrawOne(SchematicPage::Printer, s,
                                [](Schematic& schematic, Anchor& at) { schematic.Draw6(at); }, {3310, 2000});
    // Wire, C1 over a 1000 long capacitor, L2 under the coil, C3 over the second capacitor, Wire.
    EXPECT_EQ(drawn.at.X, 3310 + 160 + 1000 + 640 + 1000 + 160);
    EXPECT_EQ(ShowAll(drawn.list, Op::Text), (Shown{"Text '100 pF' 3570,1600 Arial 0 pen1 #000000",
                                                    "Text '2.2 uH' 4270,3200 Arial 0 pen1 #000000",
                                                    "Text '47 pF' 5210,1600 Arial 0 pen1 #000000"}));
    EXPECT_TRUE(OfKind(drawn.list, Op::Point).empty());
}

TEST(Schematic, PrintedShuntCapacitorAndLoadSetThePen) {
    const Drawn shunt = DrawSymbol(SchematicPage::Printer, Entries(), &Schematic::ShuntC);
    for (const Primitive& p : shunt.list.Primitives())
        EXPECT_EQ(p.penWidth, 10);
    const Drawn screen = DrawSymbol(SchematicPage::Results, Entries(), &Schematic::ShuntC);
    for (const Primitive& p : screen.list.Primitives())
        EXPECT_EQ(p.penWidth, 1);

    // A resistive load on paper: a 360 long bare stretch and two Wires before the resistor.
    const Drawn load = DrawSymbol(SchematicPage::Printer, Entries(), &Schematic::Load);
    const auto lines = OfKind(load.list, Op::Line);
    EXPECT_EQ(lines[0]->x2 - lines[0]->x1, 360);
    EXPECT_EQ(load.at.X, 1680);
    for (const Primitive& p : load.list.Primitives())
        EXPECT_EQ(p.penWidth, 10);
}

TEST(Schematic, ResultsPageSchematicWithPortMarks) {
    for (const int topology : {7, 0}) {
        Session s = Entries();
        s.Topology = static_cast<std::int16_t>(topology);
        s.LoadX = 30;
        const Session before = s;
        DisplayList list;
        const ResultsSchematicEnds ends = DrawResultsSchematic(list, s);
        EXPECT_EQ(s, before);
        const float networkEnd = topology == 7 ? 4610 : 2050;
        EXPECT_EQ(ends.networkEndX, networkEnd);
        EXPECT_EQ(ends.loadX, networkEnd + 160 + 960 + 160);
        std::vector<const Primitive*> marks;
        for (const Primitive* p : OfKind(list, Op::Line)) {
            if (p->colour == kPortMark) marks.push_back(p);
        }
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_EQ(marks[0]->x1, 2020);
        EXPECT_EQ(marks[0]->y1, 1500);
        EXPECT_EQ(marks[0]->y2, 3500);
        EXPECT_EQ(marks[1]->x1, networkEnd);
        for (const Primitive& p : list.Primitives())
            EXPECT_EQ(p.penWidth, 2);
    }
}

TEST(OpeningSchematic, ThreePanels) {
    Session s = Entries();
    s.LoadX = 0;
    DisplayList list;
    DrawOpeningSchematic(list, s);
    EXPECT_EQ(
        ShowAll(list, [](const Primitive& p) { return p.op == Op::FilledBox || p.op == Op::BoxOutline; }),
        (Shown{"Box 1000,3000 1980,5000 pen2 #F0F0F0", "Outline 1000,3000 1980,5000 pen2 #D0D0D0",
               "Box 2050,3000 4550,5000 pen2 #FFFFDD", "Outline 2050,3000 4550,5000 pen2 #DDDDBB",
               "Box 4610,3000 5750,5000 pen2 #F8F8FF", "Outline 4610,3000 5750,5000 pen2 #C8C8EE"}));
    const Primitive& resistorTop = *OfKind(list, Op::Line).back();
    EXPECT_EQ(resistorTop.x1, 5290);
    EXPECT_EQ(resistorTop.y1, 3500);
    for (const Primitive& p : list.Primitives())
        EXPECT_EQ(p.penWidth, 2);
}

} // namespace
} // namespace vorelin

#include "print/report.h"

#include "core/networks.h"
#include "core/readout.h"
#include "graphics/chart_grid.h"
#include "graphics/display_list.h"
#include "primitive_text.h"
#include "tests/support/sessions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vorelin {
namespace {

constexpr float kBody = kBodyPoints * kPageUnitsPerPoint;
constexpr Colour kRed = 0x0000FF;

// The typical example as the results page leaves it: a pi network on 20 m, the network run
// once, the chart drawn, the load marked in blue.
Session ResultsSession(int topology = 7) {
    Session s = test::TypicalExample(topology);
    InitConstants(s);
    s.AspectRatio = 0.75f;
    s.DotColor = 0xFF0000;
    s.DotRadius = 50;
    s.ChartRadius = 3000;
    RunNetwork(s);
    return s;
}

DisplayList Report(Session& s, std::string_view dateTime = "06/12/2024 19:09") {
    DisplayList list;
    DrawReport(list, s, dateTime);
    return list;
}

struct Text {
    std::string text;
    float x, y;
    float size;
    Colour colour;
    bool operator==(const Text&) const = default;
};

// The texts of a list other than the chart's labels, which are red.
std::vector<Text> TextsOf(const DisplayList& list, bool labels = false) {
    std::vector<Text> texts;
    for (const Primitive& p : list.Primitives()) {
        if (p.op != Op::Text || (p.colour == kRed) != labels) continue;
        texts.push_back({list.TextOf(p), p.x1, p.y1, list.FontOf(p).size, p.colour});
        EXPECT_EQ(list.FontOf(p).family, "Arial") << list.TextOf(p);
    }
    return texts;
}

const Text* Find(const std::vector<Text>& texts, std::string_view text) {
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
    return found == texts.end() ? nullptr : &*found;
}

// The x of the output bar: the one line drawn at pen width 5.
float OutputBarX(const DisplayList& list) {
    for (const Primitive& p : list.Primitives()) {
        if (p.op == Op::Line && p.penWidth == 5) return p.x1;
    }
    return -1;
}

TEST(Report, TheTypicalSheetTopToBottom) {
    Session s = ResultsSession();
    const Session before = s;
    const DisplayList list = Report(s);
    EXPECT_EQ(s, before); // the network ran again on the same entries and gave the same load

    // Title, chart caption, generator, part values (C1 at the shunt capacitor after a Wire, L2
    // over the 1280 long coil, C3), the load's readouts, "Load:" and the load line, the footer.
    const Text kTexts[] = {
        {"Vorelin Output", 2000, 500, 360, 0},
        {"Load as seen on a 50 ohm chart:", 1800, 4000, kBody, 0},
        {"Test freq:", 1600, 3200, kBody, 0},
        {" 14.2 M", 1600, 3500, kBody, 0},
        {" 50 ", 2420, 1600, kBody, 0},
        {"150 pF", 3370, 3200, kBody, 0},
        {"2.2 uH", 4310, 1600, kBody, 0},
        {"300 pF", 5290, 3200, kBody, 0},
        {" 2.454566 ", 8150, 2350, kBody, 0},
        {"+j47.01322", 6750, 1600, kBody, 0},
        {"( 526.929 nH )", 8050, 1600, kBody, 0},
        {"Load:", 1000, 1200, kBody, 0},
        {"2.454566 +j47.01322", 1000, 1500, kBody, 0},
        {"06/12/2024 19:09", 2000, 11300, 160, 0},
        {"Vorelin Version 2.03 - https://vorelin.example.org", 2000, 11500, 160, 0},
    };
    const std::vector<Text> texts = TextsOf(list);
    ASSERT_EQ(texts.size(), std::size(kTexts));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], kTexts[i]) << kTexts[i].text << " is " << texts[i].text << " at " << texts[i].x
                                       << ", " << texts[i].y << " size " << texts[i].size;

    // The output bar from 300 above the signal rail to 1200 below it; the load's coil, two
    // Wires and the resistor follow.
    EXPECT_EQ(OutputBarX(list), 6350);
    const auto bar = std::find_if(list.Primitives().begin(), list.Primitives().end(),
                                  [](const Primitive& p) { return p.penWidth == 5; });
    EXPECT_EQ(bar->y1, 1700);
    EXPECT_EQ(bar->y2, 3200);
    EXPECT_EQ(bar->colour, 0u);
    EXPECT_EQ(list.PenWidth(), 1);
}

TEST(Report, ChartIsThePrintedGridWithItsLabelsInTwelvePoints) {
    Session s = ResultsSession();
    s.AspectRatio = 1.4f; // the page's stretch is not printed
    const DisplayList report = Report(s);

    DisplayList grid;
    Session forGrid = ResultsSession();
    grid.SetFont(Font{"Arial", kBody, false});
    PrintGrid(grid, forGrid);
    // The title comes first; the grid with its labels and the load mark follow unchanged.
    const auto& all = report.Primitives();
    std::vector<std::string> printed;
    for (std::size_t i = 1; i < all.size() && printed.size() < grid.Primitives().size(); ++i)
        printed.push_back(test::Show(report, all[i]));
    const auto expected = test::ShowAll(grid);
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(printed[i], expected[i]) << i;

    // The pens of the steps on paper: light circles 1, emphasised circles 3, light arcs 3, the
    // blanking 3, the r = 5 circle, emphasised arcs and axis 6, the outer circle 12; the labels
    // at 1 (the first label's anchor point is red).
    struct Run {
        Colour colour;
        int pen;
        bool operator==(const Run&) const = default;
    };
    std::vector<Run> runs;
    for (std::size_t i = 1; i < all.size(); ++i) { // after the title
        const Primitive& p = all[i];
        if (p.op == Op::Text || p.op == Op::FilledBox) break; // the labels begin
        if (runs.empty() || runs.back() != Run{p.colour, p.penWidth}) runs.push_back({p.colour, p.penWidth});
    }
    const Run kRuns[] = {{kGridLight, 1},    {kGridEmphasis, 3},  {kGridLight, 3},   {kGridBlank, 3},
                         {kGridEmphasis, 6}, {kGridEmphasis, 12}, {kGridEmphasis, 1}};
    ASSERT_EQ(runs.size(), std::size(kRuns));
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i], kRuns[i]) << i;

    // The labels of the paper chart, red in Arial 12, each anchored by its top-left corner.
    const Text kLabels[] = {
        {"+2", 7800, 5360, kBody, kRed},  {"+1", 6000, 4760, kBody, kRed},  {"+.5", 3750, 5390, kBody, kRed},
        {"+.2", 2880, 6650, kBody, kRed}, {"-.2", 2880, 9050, kBody, kRed}, {"-.5", 3900, 10400, kBody, kRed},
        {"-1", 6000, 11000, kBody, kRed}, {"-2", 7800, 10400, kBody, kRed}, {"0", 2850, 7880, kBody, kRed},
        {".2", 3960, 7850, kBody, kRed},  {".5", 4950, 7850, kBody, kRed},  {"1", 5970, 7850, kBody, kRed},
        {"2", 6960, 7850, kBody, kRed},   {"5", 7950, 7850, kBody, kRed},
    };
    const std::vector<Text> labels = TextsOf(report, true);
    ASSERT_EQ(labels.size(), std::size(kLabels));
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i], kLabels[i]) << kLabels[i].text;
    struct Box {
        float left, top, right, bottom;
        bool operator==(const Box&) const = default;
    };
    const Box kBoxes[] = {{2810, 7880, 2950, 8100}, {3960, 7850, 4110, 8100}, {4950, 7850, 5190, 8100},
                          {5900, 7900, 6100, 8100}, {6900, 7850, 7110, 8100}, {7950, 7850, 8100, 8100}};
    std::vector<Box> boxes;
    for (const Primitive& p : report.Primitives()) {
        if (p.op == Op::FilledBox) boxes.push_back({p.x1, p.y1, p.x2, p.y2});
    }
    ASSERT_EQ(boxes.size(), std::size(kBoxes));
    for (std::size_t i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(boxes[i], kBoxes[i]) << i;
}

TEST(Report, NetworkLengthsOnPaper) {
    // The generator with its Wire ends at 1500 + 1810; on paper a series coil is 1280 long, a
    // series capacitor 1000, shunt parts 640 and a Wire 160. The load's Wire precedes the bar.
    const float kNetworkLengths[] = {
        1280 + 640 + 160,              // 1: series L1, shunt C2, Wire
        640 + 1280 + 160,              // 2: shunt C1, series L2, Wire
        640 + 1000 + 160,              // 3: shunt L1, series C2, Wire
        160 + 1000 + 640,              // 4: Wire, series C1, shunt L2
        1280 + 640 + 1280 + 160,       // 5
        160 + 1000 + 640 + 1000 + 160, // 6
        160 + 640 + 1280 + 640 + 160,  // 7
        160 + 640 + 1000 + 640 + 160,  // 8
    };
    for (int topology = 1; topology <= 8; ++topology) {
        Session s = ResultsSession(topology);
        const DisplayList list = Report(s);
        EXPECT_EQ(OutputBarX(list), 3310 + kNetworkLengths[topology - 1] + 160) << topology;
    }
}

TEST(Report, TopologySixPrintsItsSequenceFromTheEntries) {
    Session s = ResultsSession(6);
    s.C1 = 100e-12f;
    s.L2 = 2.2e-6f;
    s.C3 = 47e-12f;
    s.Net46C1 = 1; // stale copies: the network runs before the values are printed
    const DisplayList list = Report(s);
    EXPECT_EQ(s.Net46C1, 100e-12f);

    // After the generator (to 3310): a Wire, the C1 value 100 to the right over a 1000 long
    // capacitor, the L2 value 200 to the left below the shunt coil, the C3 value over the second
    // capacitor, a Wire, then the load's Wire and the output bar.
    const std::vector<Text> texts = TextsOf(list);
    const Text kParts[] = {
        {"100 pF", 3570, 1600, kBody, 0}, {"2.2 uH", 4270, 3200, kBody, 0}, {"47 pF", 5210, 1600, kBody, 0}};
    for (const Text& part : kParts) {
        const Text* found = Find(texts, part.text);
        ASSERT_NE(found, nullptr) << part.text;
        EXPECT_EQ(*found, part);
    }
    EXPECT_EQ(OutputBarX(list), 6430);

    // The symbols in order, read off the primitives that start a new symbol: capacitor plates
    // are vertical 240 long lines, the shunt coil is drawn in colour 15.
    std::vector<std::string> symbols;
    for (const Primitive& p : list.Primitives()) {
        if (p.op == Op::Line && p.x1 == p.x2 && p.y2 - p.y1 == 240 && p.x1 > 3310 && p.x1 < 6430)
            symbols.push_back("plate");
        if (p.op == Op::Arc && p.colour == kShuntInductorColour && p.radius == 80 &&
            (symbols.empty() || symbols.back() != "coil"))
            symbols.push_back("coil");
    }
    const std::vector<std::string> kSymbols{"plate", "plate", "coil", "plate", "plate"};
    EXPECT_EQ(symbols, kSymbols);
}

// The load on paper, drawn from the output end of a network at (6350, 2000).
DisplayList PrintedLoad(const Session& s, bool found = true) {
    DisplayList list;
    list.SetFont(Font{"Arial", kBody, false});
    Anchor at{6350, 2000};
    PrintLoad(list, s, at, found);
    return list;
}

std::vector<const Primitive*> Lines(const DisplayList& list) {
    std::vector<const Primitive*> lines;
    for (const Primitive& p : list.Primitives()) {
        if (p.op == Op::Line) lines.push_back(&p);
    }
    return lines;
}

TEST(PrintedLoad, PurelyResistive) {
    Session s = ResultsSession();
    s.LoadR = 50;
    s.LoadX = 0;
    const DisplayList list = PrintedLoad(s);
    // The Wire (6350 to 6510), the bar, then a bare 360 long stretch on both rails.
    const auto lines = Lines(list);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3]->x1, 6510);
    EXPECT_EQ(lines[3]->x2, 6870);
    EXPECT_EQ(lines[3]->y1, 2000);
    EXPECT_EQ(lines[4]->x2 - lines[4]->x1, 360);
    EXPECT_EQ(lines[4]->y1, 3040);
    for (const Primitive& p : list.Primitives())
        EXPECT_NE(p.op, Op::Arc);

    const std::vector<Text> kTexts{{" 50 ", 7390, 2350, kBody, 0}, // right of the resistor at 7190
                                   {"Load:", 1000, 1200, kBody, 0},
                                   {" 50 ", 1000, 1500, kBody, 0}};
    EXPECT_EQ(TextsOf(list), kTexts);
}

TEST(PrintedLoad, CapacitiveAtSevenMegahertz) {
    Session s = ResultsSession();
    s.Frequency = 7.1e6f;
    s.LoadR = 50;
    s.LoadX = -12.5f;
    const DisplayList list = PrintedLoad(s);
    // A series capacitor on paper: two Wires, the plates at 160 and 224 into it, two Wires.
    std::vector<float> plates;
    for (const Primitive* p : Lines(list)) {
        if (p->x1 == p->x2 && p->y1 == 1880 && p->y2 == 2120) plates.push_back(p->x1);
    }
    EXPECT_EQ(plates, (std::vector<float>{6510 + 320 + 160, 6510 + 320 + 224}));
    // The resistor stands at 6510 + 1000 + 320.
    const std::vector<Text> kTexts{{" 50 ", 8030, 2350, kBody, 0},
                                   {"-j12.5", 6630, 1600, kBody, 0},
                                   {"( 1793.3 pF )", 7930, 1600, kBody, 0},
                                   {"Load:", 1000, 1200, kBody, 0},
                                   {"50 -j12.5", 1000, 1500, kBody, 0}};
    EXPECT_EQ(TextsOf(list), kTexts);
}

TEST(PrintedLoad, NotFoundHasNoReadouts) {
    Session s = ResultsSession();
    s.LoadX = 25; // what an earlier network run left
    const DisplayList list = PrintedLoad(s, false);
    const auto lines = Lines(list);
    EXPECT_EQ(lines[3]->x2 - lines[3]->x1, 360); // a bare lead-in
    const std::vector<Text> kTexts{{"Load:", 1000, 1200, kBody, 0},
                                   {" cannot be computed", 1000, 1500, kBody, 0}};
    EXPECT_EQ(TextsOf(list), kTexts);
}

TEST(Report, ChartCaptions) {
    const struct {
        float impedance;
        const char* caption;
    } kCases[] = {{50, "Load as seen on a 50 ohm chart:"},
                  {75, "Load as seen on a 75 ohm chart:"},
                  {0.5f, "Load as seen on a .5 ohm chart:"},
                  {12.5f, "Load as seen on a 12.5 ohm chart:"},
                  {1e6f, "Load as seen on a 1000000 ohm chart:"}};
    for (const auto& c : kCases) {
        Session s = ResultsSession();
        s.Impedance = c.impedance;
        const std::vector<Text> texts = TextsOf(Report(s));
        const Text* caption = Find(texts, c.caption);
        ASSERT_NE(caption, nullptr) << c.caption;
        EXPECT_EQ(caption->x, 1800);
        EXPECT_EQ(caption->y, 4000);
    }
}

TEST(Report, TheChartShowsTheLoadHeldAndTheReadoutTheLoadRecomputed) {
    // The chart is drawn first, from the load the results page computed; the network runs only
    // afterwards. Held here: a matched load, marked at the chart's centre.
    Session s = ResultsSession();
    s.LoadR = 50;
    s.LoadX = 0;
    s.DotColor = 0x111188;
    const DisplayList list = Report(s);
    EXPECT_EQ(test::ShowAll(list, Op::Circle),
              std::vector<std::string>{"Circle 6000,8000 r50 pen16 #111188"});
    EXPECT_NE(Find(TextsOf(list), "2.454566 +j47.01322"), nullptr);
}

TEST(Report, EntriesWithoutALoadLeaveTheChartUnmarked) {
    Session s = ResultsSession(1);
    s.Frequency = 1e10f;
    s.L1 = 1e10f; // its reactance overflows
    s.LoadR = 7;
    s.LoadX = 8;
    const DisplayList list = Report(s);
    EXPECT_EQ(s.LoadR, 7);
    EXPECT_EQ(s.LoadX, 8);
    EXPECT_EQ(s.Net15L1, 1e10f);
    EXPECT_TRUE(test::ShowAll(list, Op::Circle).empty());
    const std::vector<Text> texts = TextsOf(list);
    EXPECT_NE(Find(texts, std::string(kLoadLineNotComputable)), nullptr);
    EXPECT_EQ(Find(texts, " 7 "), nullptr);
    EXPECT_EQ(Find(texts, "+j8"), nullptr);
    EXPECT_NE(Find(texts, "Vorelin Output"), nullptr);
}

} // namespace
} // namespace vorelin

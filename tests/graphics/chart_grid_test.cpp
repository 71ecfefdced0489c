#include "graphics/chart_grid.h"

#include "graphics/display_list.h"
#include "graphics/opening_illustration.h"
#include "graphics/whole_number.h"
#include "primitive_text.h"
#include "strokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace vorelin {
namespace {

using test::Stroke;
using test::StrokesOf;

constexpr double kPi = std::numbers::pi;

double D(float value) { return static_cast<double>(value); }

// The steps of the grid as strokes: how many, which primitive, colour and pen on screen and
// on paper. The labels follow as the rest.
struct GridStep {
    const char* name;
    std::size_t strokes;
    Op op;
    Colour colour;
    int screenPen;
    int paperPen;
};
constexpr GridStep kSteps[] = {
    {"light resistance circles", 19, Op::Point, kGridLight, 1, 1},
    {"emphasised resistance circles", 4, Op::Point, kGridEmphasis, 1, 3},
    {"light reactance arcs", 36, Op::Point, kGridLight, 1, 3},
    {"blanking of the r = 5 disc", 1800, Op::Line, kGridBlank, 3, 3},
    {"the r = 5 circle", 1, Op::Point, kGridEmphasis, 1, 6},
    {"emphasised reactance arcs", 10, Op::Point, kGridEmphasis, 1, 6},
    {"real axis", 1, Op::Line, kGridEmphasis, 1, 6},
    {"outer circle", 1, Op::Point, kGridEmphasis, 2, 12},
};
constexpr std::size_t kLabelStrokes = 8 * 2 + 6 * 3;

std::size_t FirstStrokeOf(std::size_t step) {
    std::size_t first = 0;
    for (std::size_t i = 0; i < step; ++i)
        first += kSteps[i].strokes;
    return first;
}
const std::size_t kLightArcs = FirstStrokeOf(2);
const std::size_t kEmphasisedArcs = FirstStrokeOf(5);
const std::size_t kOuterCircle = FirstStrokeOf(7);
const std::size_t kLabels = FirstStrokeOf(8);

DisplayList Grid(const ChartFrame& frame, const ChartGridStyle& style = ResultsGridStyle()) {
    DisplayList list;
    DrawChartGrid(list, frame, kPi, style);
    return list;
}

const ChartFrame kHome{9000, 5000, 3000, 1, 0.75f};

TEST(ChartGrid, StepsInOrderWithTheirColoursAndPens) {
    for (const bool paper : {false, true}) {
        const DisplayList list = Grid(kHome, paper ? PrinterGridStyle() : ResultsGridStyle());
        const std::vector<Stroke> strokes = StrokesOf(list);
        ASSERT_EQ(strokes.size(), kLabels + kLabelStrokes);
        std::size_t next = 0, polylines = 0;
        for (const GridStep& step : kSteps) {
            for (std::size_t i = 0; i < step.strokes; ++i, ++next) {
                const Stroke& s = strokes[next];
                ASSERT_EQ(s.op, step.op) << step.name;
                EXPECT_EQ(s.colour, step.colour) << step.name;
                EXPECT_EQ(s.penWidth, paper ? step.paperPen : step.screenPen) << step.name;
                for (const Primitive& p : s.primitives)
                    EXPECT_EQ(p.colour, step.colour) << step.name;
                if (s.op == Op::Point) ++polylines;
                if (s.op == Op::Line) {
                    EXPECT_EQ(s.primitives.size(), 1u) << step.name;
                }
            }
        }
        EXPECT_EQ(polylines, 71u);
        for (std::size_t i = 0; i < 23; ++i)
            EXPECT_EQ(strokes[i].primitives.size(), 181u);
        EXPECT_EQ(strokes[FirstStrokeOf(4)].primitives.size(), 181u);
        EXPECT_EQ(strokes[kOuterCircle].primitives.size(), 121u);
        for (; next < strokes.size(); ++next)
            EXPECT_EQ(strokes[next].penWidth, 1);
        EXPECT_EQ(list.PenWidth(), 1);
        EXPECT_EQ(list.TextColour(), 0u);
    }
}

// The normalised resistance of a circle, read from its leftmost point (theta = 180 degrees).
double ResistanceOf(const Stroke& circle, const ChartFrame& frame) {
    const double k = D(frame.chartRadius) * D(frame.chartScale) * D(frame.aspectRatio);
    const double u = D(circle.Vertices()[90].x - frame.centreX) / k;
    return (1 + u) / (1 - u);
}

TEST(ChartGrid, ResistanceCircleValuesFollowTheSinglePrecisionLoops) {
    const std::vector<Stroke> strokes = StrokesOf(Grid(kHome));
    const double kLight[] = {0, .1, .2, .3, .4, .5, .6, .7, .8, .9, 1, 1.2, 1.4, 1.6, 1.8, 2, 3, 4, 5};
    const double kEmphasised[] = {2, 1, .5, .2};
    for (std::size_t i = 0; i < std::size(kLight); ++i) {
        EXPECT_NEAR(ResistanceOf(strokes[i], kHome), kLight[i], 2e-3) << i;
    }
    for (std::size_t i = 0; i < std::size(kEmphasised); ++i) {
        EXPECT_NEAR(ResistanceOf(strokes[19 + i], kHome), kEmphasised[i], 2e-3) << i;
    }
    EXPECT_NEAR(ResistanceOf(strokes[FirstStrokeOf(4)], kHome), 5, 2e-3);
    // Every circle starts and ends at Gamma = 1, the right end of the axis.
    for (std::size_t i = 0; i < 23; ++i) {
        EXPECT_EQ(strokes[i].Vertices().front().x, 11250) << i;
        EXPECT_EQ(strokes[i].Vertices().front().y, 5000) << i;
    }
}

TEST(ChartGrid, ReactanceArcs) {
    const std::vector<Stroke> strokes = StrokesOf(Grid(kHome));
    const double kRuns[][9] = {{.1, .2, .3, .4, .5, .6, .7, .8, .9}, {1, 1.2, 1.4, 1.6, 1.8}, {2, 3, 4, 5}};
    const std::size_t kRunLengths[] = {9, 5, 4};
    std::size_t next = kLightArcs;
    for (std::size_t run = 0; run < 3; ++run) {
        for (const double side : {1.0, -1.0}) {
            for (std::size_t i = 0; i < kRunLengths[run]; ++i, ++next) {
                const Stroke& arc = strokes[next];
                const auto first = arc.Vertices().front();
                // The arc starts on the outer circle, above the axis for +x and below for -x.
                const double u = D(first.x - 9000) / 2250.0, v = D(5000 - first.y) / 3000.0;
                EXPECT_NEAR(u * u + v * v, 1, 1e-4) << next;
                EXPECT_GT(v * side, 0) << next;
                const double x = 2 * v / ((1 - u) * (1 - u) + v * v); // reactance of a rim point
                EXPECT_NEAR(std::fabs(x), kRuns[run][i], 2e-3) << next;
            }
        }
    }

    // x = 0.1 starts near phi0 = 258.58 degrees and has six points.
    const Stroke& tenth = strokes[kLightArcs];
    EXPECT_EQ(tenth.primitives.size(), 6u);
    const auto start = tenth.Vertices().front();
    const double phi0 =
        std::atan2((D(5000 - start.y) / 3000.0) * 0.1 - 1, (D(start.x - 9000) / 2250.0 - 1) * 0.1);
    EXPECT_NEAR(phi0 * 180 / kPi + 360, 258.58, 0.01);

    // x = 1 (light and emphasised) runs from phi0 = 180 (Gamma = j) to exactly 270 (Gamma = 1).
    for (const std::size_t index : {kLightArcs + 18, kEmphasisedArcs + 4}) {
        const auto vertices = strokes[index].Vertices();
        ASSERT_EQ(vertices.size(), 46u);
        EXPECT_EQ(vertices.front().x, 9000);
        EXPECT_EQ(vertices.front().y, 2000);
        EXPECT_EQ(vertices.back().x, 11250);
        EXPECT_EQ(vertices.back().y, 5000);
    }
}

TEST(ChartGrid, BlankingSpokesCoverTheFiveDisc) {
    const DisplayList list = Grid(kHome);
    const std::vector<Stroke> strokes = StrokesOf(list);
    const std::size_t first = FirstStrokeOf(3);
    const Primitive& last = strokes[first + 1799].primitives[0];
    // From 9000 + 2250 * 5 / 6 to the rim.
    EXPECT_EQ(test::Show(list, strokes[first].primitives[0]), "Line 10875,5000 11250,5000 pen3 #FFFFFF");
    // The last spoke lies at about 359.8 degrees, just below the axis.
    const double angle = std::atan2(-D(last.y2 - 5000) / 500, D(last.x2 - 10875) / 375) * 180 / kPi;
    EXPECT_NEAR(angle, -0.2, 0.01);
}

TEST(ChartGrid, OuterCircleXIsHeldAtLargeScales) {
    const ChartFrame zoomed{9000, 5000, 3000, 5, 1.5f}; // horizontal radius 22500
    const DisplayList list = Grid(zoomed);
    const std::vector<Stroke> strokes = StrokesOf(list);
    const auto outer = strokes[kOuterCircle].Vertices();
    const auto [left, right] =
        std::minmax_element(outer.begin(), outer.end(), [](auto a, auto b) { return a.x < b.x; });
    const auto [top, bottom] =
        std::minmax_element(outer.begin(), outer.end(), [](auto a, auto b) { return a.y < b.y; });
    EXPECT_EQ(left->x, -1000);
    EXPECT_EQ(right->x, 13000);
    EXPECT_EQ(top->y, -10000);
    EXPECT_EQ(bottom->y, 20000);
    // Nothing else is limited: the axis still runs from -13500 to 31500.
    const Primitive& axis = strokes[kOuterCircle - 1].primitives[0];
    EXPECT_EQ(axis.x1, -13500);
    EXPECT_EQ(axis.x2, 31500);

    // The opening page's chart has no limit.
    const auto free = StrokesOf(Grid(zoomed, OpeningGridStyle()))[kOuterCircle].Vertices();
    EXPECT_EQ(std::min_element(free.begin(), free.end(), [](auto a, auto b) { return a.x < b.x; })->x,
              -13500);
}

struct LabelPlace {
    std::string text;
    float x, y;
    Colour point = 0; // of the point placed before the text
};
struct LabelBox {
    float left, top, right, bottom;
};

// Reads the labels back: their texts at the points placed before them, and the rectangles.
void ReadLabels(const DisplayList& list, std::vector<LabelPlace>& places, std::vector<LabelBox>& boxes) {
    const auto& primitives = list.Primitives();
    for (std::size_t i = 1; i < primitives.size(); ++i) {
        const Primitive& p = primitives[i];
        if (p.op == Op::Text) {
            EXPECT_EQ(primitives[i - 1].op, Op::Point);
            EXPECT_EQ(primitives[i - 1].x1, p.x1);
            EXPECT_EQ(primitives[i - 1].y1, p.y1);
            places.push_back({list.TextOf(p), p.x1, p.y1, primitives[i - 1].colour});
        }
        if (p.op == Op::FilledBox) boxes.push_back({p.x1, p.y1, p.x2, p.y2});
    }
}

const LabelPlace kUnitPlaces[] = {
    {"+2", 10800, 2360}, {"+1", 9000, 1760}, {"+.5", 6900, 2390}, {"+.2", 5880, 3650}, {"-.2", 5880, 6050},
    {"-.5", 6900, 7400}, {"-1", 9000, 8000}, {"-2", 10800, 7400}, {"0", 5850, 4940},   {".2", 6960, 4940},
    {".5", 7950, 4940},  {"1", 8970, 4940},  {"2", 9960, 4940},   {"5", 10950, 4940}};
// At scale 2 and stretch 0.75: R = 6000, K = 4500.
const LabelPlace kZoomedPlaces[] = {
    {"+2", 11700, -280}, {"+1", 9000, -1480}, {"+.5", 5850, -220}, {"+.2", 4320, 2300}, {"-.2", 4320, 7100},
    {"-.5", 5850, 9800}, {"-1", 9000, 11000}, {"-2", 11700, 9800}, {"0", 4350, 4940},   {".2", 5940, 4940},
    {".5", 7425, 4940},  {"1", 8970, 4940},   {"2", 10440, 4940},  {"5", 11925, 4940}};

TEST(ChartGrid, LabelsAtTwoScalesAndTwoAspectRatios) {
    const struct {
        ChartFrame frame;
        const LabelPlace* places;
        float lefts[6];
        float widths[6];
    } kCases[] = {
        {{9000, 5000, 3000, 1, 1},
         kUnitPlaces,
         {5810, 6960, 7950, 8940, 9900, 10950},
         {140, 150, 240, 140, 210, 150}},
        {{9000, 5000, 3000, 2, 0.75f},
         kZoomedPlaces,
         {4310, 5940, 7425, 8940, 10350, 11925},
         {140, 225, 360, 140, 315, 225}},
    };
    for (const auto& c : kCases) {
        std::vector<LabelPlace> places;
        std::vector<LabelBox> boxes;
        ReadLabels(Grid(c.frame), places, boxes);
        ASSERT_EQ(places.size(), 14u);
        ASSERT_EQ(boxes.size(), 6u);
        for (std::size_t i = 0; i < 14; ++i) {
            EXPECT_EQ(places[i].text, c.places[i].text);
            // Only "+2" and "+1" are placed by a red point, the others by a white one.
            EXPECT_EQ(places[i].point, i < 2 ? kGridEmphasis : kGridBlank) << places[i].text;
            EXPECT_FLOAT_EQ(places[i].x, c.places[i].x) << c.places[i].text;
            EXPECT_FLOAT_EQ(places[i].y, c.places[i].y) << c.places[i].text;
        }
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_FLOAT_EQ(boxes[i].right - boxes[i].left, c.widths[i]) << places[8 + i].text;
            EXPECT_EQ(boxes[i].top, 4940) << places[8 + i].text;
            EXPECT_EQ(boxes[i].bottom, 5100) << places[8 + i].text;
            EXPECT_FLOAT_EQ(boxes[i].left, c.lefts[i]) << places[8 + i].text;
        }
    }
}

TEST(ChartGrid, ResultsGridSetsTheChartRadiusOnly) {
    Session s;
    InitConstants(s);
    s.AspectRatio = 0.75f;
    s.LoadR = 25;
    Session expected = s;
    expected.ChartRadius = 3000;
    ChartView view{9000, 5000, 1, 1};
    DisplayList list;
    list.SetTextColour(0x123456);
    DrawGrid(list, s, view);
    EXPECT_EQ(s, expected);
    EXPECT_EQ(StrokesOf(list).size(), kLabels + kLabelStrokes);
    // The outer circle: radius 3000 up and down, 2250 sideways.
    const auto outer = StrokesOf(list)[kOuterCircle].Vertices();
    EXPECT_EQ(outer[0].x, 11250);
    EXPECT_EQ(outer[30].y, 8000);
    EXPECT_EQ(list.TextColour(), 0u);
}

TEST(PrintedGrid, FixedRoundChartWithThePaperLabelsAndTheLoad) {
    Session s;
    InitConstants(s);
    s.AspectRatio = 0.5f; // not used on paper
    s.Impedance = 50;
    s.LoadR = 50;
    s.DotColor = 0x66CC00;
    s.DotRadius = 20;
    DisplayList list;
    PrintGrid(list, s);
    EXPECT_EQ(s.ChartRadius, 3000);

    const std::vector<Stroke> strokes = StrokesOf(list);
    const auto outer = strokes[kOuterCircle].Vertices();
    EXPECT_EQ(outer[0].x, 9000);
    EXPECT_EQ(outer[60].x, 3000);
    EXPECT_EQ(outer[30].y, 11000);

    // The labels on paper are checked with the report that prints them.
    ASSERT_EQ(strokes.size(), kLabels + kLabelStrokes + 1);
    EXPECT_EQ(test::Show(list, strokes.back().primitives[0]), "Circle 6000,8000 r20 pen16 #66CC00");
    EXPECT_EQ(list.PenWidth(), 1);
}

TEST(OpeningChart, SmallChartWithWholeYAndTheMarker) {
    for (const float aspect : {0.75f, 1.0f}) {
        Session s;
        InitConstants(s);
        s.AspectRatio = aspect;
        const Session before = s;
        DisplayList list;
        list.SetTextColour(0x123456);
        DrawOpeningChart(list, s);
        EXPECT_EQ(s, before);
        EXPECT_EQ(list.TextColour(), 0x123456u);

        const std::vector<Stroke> strokes = StrokesOf(list);
        ASSERT_EQ(strokes.size(), kLabels + 2);
        for (const Primitive& p : list.Primitives()) {
            ASSERT_NE(p.op, Op::Text);
            if (p.op == Op::Circle) continue;
            EXPECT_EQ(p.y1, RoundHalfEven(p.y1));
            EXPECT_EQ(p.y2, RoundHalfEven(p.y2));
        }
        const auto outer = strokes[kOuterCircle].Vertices();
        EXPECT_EQ(outer[0].x, 8800 + 2000 * aspect);
        EXPECT_EQ(outer[60].x, 8800 - 2000 * aspect);
        EXPECT_EQ(outer[30].y, 6000);
        EXPECT_EQ(outer[90].y, 2000);
        EXPECT_EQ(strokes[kOuterCircle].penWidth, 2);

        EXPECT_EQ(test::Show(list, strokes[kLabels].primitives[0]), "Circle 8400,3200 r50 pen3 #0000FF");
        EXPECT_EQ(test::Show(list, strokes[kLabels + 1].primitives[0]), "Circle 8400,3200 r60 pen1 #000000");
    }
}

} // namespace
} // namespace vorelin

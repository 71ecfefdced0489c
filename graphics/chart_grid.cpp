#include "graphics/chart_grid.h"

#include "graphics/text_metrics.h"
#include "graphics/whole_number.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vorelin {

namespace {

constexpr float kOuterLimitLeft = -1000;
constexpr float kOuterLimitRight = 13000;

// A reactance label stands free; a resistance label on the axis clears a white rectangle first,
// from `top` down to 100 below the axis.
constexpr GridLabel FreeLabel(std::string_view text, double x, double y, Colour point) {
    return {text, {x, 0}, {y, 0}, point, false, {}, {}, {}, {}};
}
constexpr GridLabel AxisLabel(std::string_view text, LabelCoordinate x, double textTop, LabelCoordinate left,
                              LabelCoordinate right, double top) {
    return {text, x, {0, textTop}, kPaperColour, true, left, {0, top}, right, {0, 100}};
}

constexpr std::array kResultsLabels{
    FreeLabel("+2", 0.6, -0.88, kGridEmphasisColour),
    FreeLabel("+1", 0, -1.08, kGridEmphasisColour),
    FreeLabel("+.5", -0.7, -0.87, kPaperColour),
    FreeLabel("+.2", -1.04, -0.45, kPaperColour),
    FreeLabel("-.2", -1.04, 0.35, kPaperColour),
    FreeLabel("-.5", -0.7, 0.8, kPaperColour),
    FreeLabel("-1", 0, 1, kPaperColour),
    FreeLabel("-2", 0.6, 0.8, kPaperColour),
    AxisLabel("0", {-1, -150}, -60, {-1, -190}, {-1, -50}, -60),
    AxisLabel(".2", {-0.68, 0}, -60, {-0.68, 0}, {-0.63, 0}, -60),
    AxisLabel(".5", {-0.35, 0}, -60, {-0.35, 0}, {-0.27, 0}, -60),
    AxisLabel("1", {0, -30}, -60, {0, -60}, {0, 80}, -60),
    AxisLabel("2", {0.32, 0}, -60, {0.3, 0}, {0.37, 0}, -60),
    AxisLabel("5", {0.65, 0}, -60, {0.65, 0}, {0.7, 0}, -60),
};

// On paper "+.5" stands a little further left, and the resistance labels sit higher.
constexpr std::array kPrinterLabels{
    FreeLabel("+2", 0.6, -0.88, kGridEmphasisColour),
    FreeLabel("+1", 0, -1.08, kGridEmphasisColour),
    FreeLabel("+.5", -0.75, -0.87, kPaperColour),
    FreeLabel("+.2", -1.04, -0.45, kPaperColour),
    FreeLabel("-.2", -1.04, 0.35, kPaperColour),
    FreeLabel("-.5", -0.7, 0.8, kPaperColour),
    FreeLabel("-1", 0, 1, kPaperColour),
    FreeLabel("-2", 0.6, 0.8, kPaperColour),
    AxisLabel("0", {-1, -150}, -120, {-1, -190}, {-1, -50}, -120),
    AxisLabel(".2", {-0.68, 0}, -150, {-0.68, 0}, {-0.63, 0}, -150),
    AxisLabel(".5", {-0.35, 0}, -150, {-0.35, 0}, {-0.27, 0}, -150),
    AxisLabel("1", {0, -30}, -150, {0, -100}, {0, 100}, -100),
    AxisLabel("2", {0.32, 0}, -150, {0.3, 0}, {0.37, 0}, -150),
    AxisLabel("5", {0.65, 0}, -150, {0.65, 0}, {0.7, 0}, -150),
};

constexpr ChartGridStyle kResultsStyle{{1, 1, 1, 3, 1, 1, 1, 2, 1}, true, false, kResultsLabels};
constexpr ChartGridStyle kPrinterStyle{{1, 3, 3, 3, 6, 6, 6, 12, 1}, true, false, kPrinterLabels};
constexpr ChartGridStyle kOpeningStyle{{1, 1, 1, 3, 1, 1, 1, 2, 1}, false, true, {}};

// value <- value + step, rounded to single precision after each addition, while value <= limit.
template <class Body> void SinglePrecisionLoop(float from, float limit, float step, Body&& body) {
    for (float value = from; value <= limit;
         value = static_cast<float>(static_cast<double>(value) + static_cast<double>(step))) {
        body(value);
    }
}

float Rounded(double value) { return static_cast<float>(value); }

constexpr double kPi = std::numbers::pi;

// Draws one grid in page units. R is the vertical radius, K the horizontal one; a point of the
// reflection-coefficient plane (u, v) lands at (centreX + K u, centreY - R v).
class GridPainter {
public:
    GridPainter(Surface& surface, const ChartFrame& frame, const ChartGridStyle& style,
                const std::function<void()>& afterBlanking)
        : m_surface(surface), m_style(style), m_afterBlanking(afterBlanking), m_centreX(frame.centreX),
          m_centreY(frame.centreY),
          m_r(Rounded(static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale))),
          m_k(Rounded(static_cast<double>(frame.aspectRatio) * static_cast<double>(m_r))) {}

    void Draw() {
        const GridPenWidths& pens = m_style.pens;
        m_surface.SetPenWidth(pens.lightCircles);
        SinglePrecisionLoop(0.0f, 1.0f, 0.1f, [this](float r) { ResistanceCircle(r, kGridLightColour); });
        SinglePrecisionLoop(1.0f, 2.0f, 0.2f, [this](float r) { ResistanceCircle(r, kGridLightColour); });
        SinglePrecisionLoop(2.0f, 5.0f, 1.0f, [this](float r) { ResistanceCircle(r, kGridLightColour); });

        m_surface.SetPenWidth(pens.emphasisedCircles);
        for (const float r : {2.0f, 1.0f, 0.5f, 0.2f})
            ResistanceCircle(r, kGridEmphasisColour);

        m_surface.SetPenWidth(pens.lightArcs);
        const auto lightArcs = [this](float from, float limit, float step) {
            for (const double side : {1.0, -1.0}) {
                SinglePrecisionLoop(from, limit, step,
                                    [&](float x) { ReactanceArc(x, side, kGridLightColour); });
            }
        };
        lightArcs(0.1f, 1.0f, 0.1f);
        lightArcs(1.0f, 2.0f, 0.2f);
        lightArcs(2.0f, 5.0f, 1.0f);

        m_surface.SetPenWidth(pens.blanking);
        BlankFiveDisc();
        if (m_afterBlanking) m_afterBlanking();

        m_surface.SetPenWidth(pens.fiveCircle);
        ResistanceCircle(5.0f, kGridEmphasisColour);

        m_surface.SetPenWidth(pens.emphasisedArcs);
        for (const float x : {5.0f, 2.0f, 1.0f, 0.5f, 0.2f}) {
            ReactanceArc(x, 1.0, kGridEmphasisColour);
            ReactanceArc(x, -1.0, kGridEmphasisColour);
        }

        m_surface.SetPenWidth(pens.axis);
        m_surface.Line(Rounded(static_cast<double>(m_centreX) - static_cast<double>(m_k)), PageY(m_centreY),
                       Rounded(static_cast<double>(m_centreX) + static_cast<double>(m_k)), PageY(m_centreY),
                       kGridEmphasisColour);

        m_surface.SetPenWidth(pens.outerCircle);
        OuterCircle();

        if (!m_style.labels.empty()) {
            m_surface.SetPenWidth(pens.labels);
            m_surface.SetTextColour(kGridEmphasisColour);
            for (const GridLabel& label : m_style.labels)
                Label(label);
            m_surface.SetTextColour(kInkColour);
        }
    }

private:
    double Radians(float degrees) const { return static_cast<double>(degrees) * kPi / 180; }

    float PageY(float y) const { return m_style.wholeY ? RoundHalfEven(y) : y; }

    // A polyline: the first point is plotted as a single point, each further one continues.
    void PolylinePoint(float u, float v, Colour colour, bool first) {
        const float x =
            Rounded(static_cast<double>(m_centreX) + static_cast<double>(m_k) * static_cast<double>(u));
        const float y = PageY(
            Rounded(static_cast<double>(m_centreY) - static_cast<double>(m_r) * static_cast<double>(v)));
        if (first) {
            m_surface.Point(x, y, colour);
        } else {
            m_surface.ContinueTo(x, y, colour);
        }
    }

    // Centre (r/(r+1), 0), radius 1/(r+1), as 181 points in 2 degree steps.
    void ResistanceCircle(float r, Colour colour) {
        const auto rd = static_cast<double>(r);
        bool first = true;
        SinglePrecisionLoop(0.0f, 360.0f, 2.0f, [&](float theta) {
            const double angle = Radians(theta);
            PolylinePoint(Rounded((rd + std::cos(angle)) / (rd + 1)), Rounded(std::sin(angle) / (rd + 1)),
                          colour, first);
            first = false;
        });
    }

    // Centre (1, 1/x), radius 1/x, from where it meets the outer circle (phi0) to Gamma = 1 (270
    // degrees) in 2 degree steps; side -1 mirrors it below the axis.
    void ReactanceArc(float x, double side, Colour colour) {
        const auto xd = static_cast<double>(x);
        const float start = Rounded(90 + (360 / kPi) * std::atan(1 / xd));
        bool first = true;
        SinglePrecisionLoop(start, 270.0f, 2.0f, [&](float phi) {
            const double angle = Radians(phi);
            PolylinePoint(Rounded(1 + std::cos(angle) / xd), Rounded(side * ((1 + std::sin(angle)) / xd)),
                          colour, first);
            first = false;
        });
    }

    // White spokes from the centre of the r = 5 circle to its rim every 0.2 degrees, which wipe
    // out the grid drawn so far inside that small disc.
    void BlankFiveDisc() {
        const auto cx = static_cast<double>(m_centreX), cy = static_cast<double>(m_centreY);
        const auto k = static_cast<double>(m_k), r = static_cast<double>(m_r);
        const float fromX = Rounded(cx + k * 5 / 6);
        const float fromY = PageY(m_centreY);
        SinglePrecisionLoop(0.0f, 360.0f, 0.2f, [&](float theta) {
            const double angle = Radians(theta);
            m_surface.Line(fromX, fromY, Rounded(cx + k * (5.0 / 6 + std::cos(angle) / 6)),
                           PageY(Rounded(cy - r * std::sin(angle) / 6)), kPaperColour);
        });
    }

    // 121 points in 3 degree steps; the x values may be held within -1000 ... 13000 so that a
    // large scale keeps the coordinates bounded.
    void OuterCircle() {
        const auto cx = static_cast<double>(m_centreX), cy = static_cast<double>(m_centreY);
        const auto k = static_cast<double>(m_k), r = static_cast<double>(m_r);
        bool first = true;
        SinglePrecisionLoop(0.0f, 360.0f, 3.0f, [&](float theta) {
            const double angle = Radians(theta);
            float x = Rounded(cx + k * std::cos(angle));
            if (m_style.limitOuterX) x = std::clamp(x, kOuterLimitLeft, kOuterLimitRight);
            const float y = PageY(Rounded(cy + r * std::sin(angle)));
            if (first) {
                m_surface.Point(x, y, kGridEmphasisColour);
            } else {
                m_surface.ContinueTo(x, y, kGridEmphasisColour);
            }
            first = false;
        });
    }

    float AcrossOf(const LabelCoordinate& c) const {
        return Rounded(static_cast<double>(m_centreX) + c.factor * static_cast<double>(m_k) + c.offset);
    }
    float DownOf(const LabelCoordinate& c) const {
        return PageY(
            Rounded(static_cast<double>(m_centreY) + c.factor * static_cast<double>(m_r) + c.offset));
    }

    void Label(const GridLabel& label) {
        if (label.cleared) {
            m_surface.FilledBox(AcrossOf(label.left), DownOf(label.top), AcrossOf(label.right),
                                DownOf(label.bottom), kPaperColour);
        }
        m_surface.Point(AcrossOf(label.x), DownOf(label.y), label.pointColour);
        m_surface.Print(label.text);
    }

    Surface& m_surface;
    const ChartGridStyle& m_style;
    const std::function<void()>& m_afterBlanking;
    float m_centreX, m_centreY;
    float m_r; // vertical radius
    float m_k; // horizontal radius
};

} // namespace

const ChartGridStyle& ResultsGridStyle() { return kResultsStyle; }
const ChartGridStyle& PrinterGridStyle() { return kPrinterStyle; }
const ChartGridStyle& OpeningGridStyle() { return kOpeningStyle; }

void DrawChartGrid(Surface& surface, const ChartFrame& frame, const ChartGridStyle& style,
                   const std::function<void()>& afterBlanking) {
    GridPainter(surface, frame, style, afterBlanking).Draw();
}

void DrawGrid(Surface& surface, const ChartView& view, float aspectRatio,
              const std::function<void()>& afterBlanking) {
    DrawChartGrid(surface, ResultsFrame(view, aspectRatio), ResultsGridStyle(), afterBlanking);
}

bool GridMayReach(const ChartFrame& frame, const ChartGridStyle& style, const Font& font,
                  const PageRect& rect) {
    const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
    const double k = static_cast<double>(frame.aspectRatio) * r;
    const double cx = static_cast<double>(frame.centreX), cy = static_cast<double>(frame.centreY);
    // The outer circle, widened by its pen: the rectangle's point nearest its centre lies inside.
    constexpr double kReach = 40;
    const double nearestX = std::clamp(cx, static_cast<double>(rect.left), static_cast<double>(rect.right));
    const double nearestY = std::clamp(cy, static_cast<double>(rect.top), static_cast<double>(rect.bottom));
    const double dx = (nearestX - cx) / (k + kReach), dy = (nearestY - cy) / (r + kReach);
    if (dx * dx + dy * dy <= 1) return true;
    const auto place = [&](const LabelCoordinate& c, bool across) {
        return across ? cx + c.factor * k + c.offset : cy + c.factor * r + c.offset;
    };
    const auto overlaps = [&rect](double left, double top, double right, double bottom) {
        return left < static_cast<double>(rect.right) && static_cast<double>(rect.left) < right &&
               top < static_cast<double>(rect.bottom) && static_cast<double>(rect.top) < bottom;
    };
    for (const GridLabel& label : style.labels) {
        const double x = place(label.x, true), y = place(label.y, false);
        if (overlaps(x, y, x + TextWidth(font, label.text), y + TextHeight(font))) return true;
        if (label.cleared && overlaps(place(label.left, true), place(label.top, false),
                                      place(label.right, true), place(label.bottom, false)))
            return true;
    }
    return false;
}

bool NearFiveDisc(const ChartFrame& frame, const PagePoint& point, float margin) {
    // The r = 5 circle: centre Gamma = 5/6, radius 1/6, stretched like the whole chart.
    const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
    const double k = static_cast<double>(frame.aspectRatio) * r;
    const double across = k / 6 + static_cast<double>(margin), down = r / 6 + static_cast<double>(margin);
    const double dx =
        (static_cast<double>(point.x) - (static_cast<double>(frame.centreX) + k * 5 / 6)) / across;
    const double dy = (static_cast<double>(point.y) - static_cast<double>(frame.centreY)) / down;
    return dx * dx + dy * dy <= 1;
}

void PrintGrid(Surface& surface, const std::optional<PrintedLoadMark>& mark) {
    const ChartFrame frame{kPrintedCentreX, kPrintedCentreY, kChartRadius, 1, 1};
    DrawChartGrid(surface, frame, PrinterGridStyle());
    if (!mark) return;
    const PagePoint load = MapLoad(mark->load.LoadR, mark->load.LoadX, mark->impedance, frame);
    surface.SetPenWidth(kPrintedLoadPen);
    surface.Circle(load.x, load.y, mark->style.radius, mark->style.colour);
    surface.SetPenWidth(1);
}

} // namespace vorelin

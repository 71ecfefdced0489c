#pragma once

#include "core/networks.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "graphics/surface.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace vorelin {

// Pen widths in device pixels for each drawing step of the grid.
struct GridPenWidths {
    int lightCircles;
    int emphasisedCircles;
    int lightArcs;
    int blanking;
    int fiveCircle;
    int emphasisedArcs;
    int axis;
    int outerCircle;
    int labels;
};

// A coordinate of a label: the chart centre + factor x radius + a fixed offset in page units
// (the offsets do not grow with the scale). The horizontal radius K applies to x, R to y.
struct LabelCoordinate {
    double factor;
    double offset;
};

// A value label: a point at its anchor (which places the text), then the text. Resistance
// labels first clear the axis behind them with a white rectangle.
struct GridLabel {
    std::string_view text;
    LabelCoordinate x, y;
    Colour pointColour;
    bool cleared;
    LabelCoordinate left, top, right, bottom; // the white rectangle, when cleared
};

// What differs between the charts of the results page, the printed report and the opening page.
struct ChartGridStyle {
    GridPenWidths pens;
    bool limitOuterX;                  // the outer circle's x held within -1000 ... 13000
    bool wholeY;                       // every y rounded to a whole number, halves to even
    std::span<const GridLabel> labels; // none: no labels, and the text colour is left alone
};

const ChartGridStyle& ResultsGridStyle();
const ChartGridStyle& PrinterGridStyle();
const ChartGridStyle& OpeningGridStyle();

// Draws the Smith chart grid in `frame`: light resistance circles, emphasised circles, light
// reactance arcs, the blanked r = 5 disc, the r = 5 circle, emphasised arcs, the real axis,
// the outer circle and the labels, in that order. Loop values are accumulated in single
// precision. Leaves the pen width as the last step set it (1 when there are labels) and, with
// labels, the text colour black. `afterBlanking`, when given, draws right after the r = 5 disc is
// blanked, so that what it draws there stays visible under the lines drawn over the disc.
void DrawChartGrid(Surface& surface, const ChartFrame& frame, const ChartGridStyle& style,
                   const std::function<void()>& afterBlanking = {});

// The results page's grid step: the grid around the view's centre at its scale, stretched by
// the aspect ratio.
void DrawGrid(Surface& surface, const ChartView& view, float aspectRatio,
              const std::function<void()>& afterBlanking = {});

// Whether a point of the page lies within `margin` of the blanked r = 5 disc of a chart.
bool NearFiveDisc(const ChartFrame& frame, const PagePoint& point, float margin);

// Whether anything the grid draws in `frame` (its lines, all within the outer circle, and its
// labels in `font`) may reach into a rectangle of the page.
bool GridMayReach(const ChartFrame& frame, const ChartGridStyle& style, const Font& font,
                  const PageRect& rect);

inline constexpr float kPrintedCentreX = 6000;
inline constexpr float kPrintedCentreY = 8000;
inline constexpr int kPrintedLoadPen = 16;

// The load the printed chart marks, normalised to `impedance`, as a circle in `style`.
struct PrintedLoadMark {
    Load load;
    float impedance;
    DotStyle style;
};

// The printed chart: the grid drawn round (stretch 1) at scale 1 around (6000, 8000) with the
// printer's heavier pens and label places; then the load, when there is one to mark, as a
// circle at pen width 16. Leaves the pen at 1.
void PrintGrid(Surface& surface, const std::optional<PrintedLoadMark>& mark);

} // namespace vorelin

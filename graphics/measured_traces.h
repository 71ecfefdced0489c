#pragma once

#include "core/touchstone_reader.h"
#include "graphics/chart_view.h"
#include "graphics/surface.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// Sweeps measured with a network analyser, drawn beside the band's loads: a thin line of its own
// colour on the band chart and on the SWR plot, and a legend of their file names.

struct MeasuredTrace {
    std::string name; // the file's name, as the legend shows it
    MeasuredSweep sweep;
    Colour colour;
};

// The colour of the trace opened `index`th: none of them the rows' blue, the selected row's red,
// the predicted rows' purple or the misread rows' orange.
Colour MeasuredTraceColour(std::size_t index);

// The grid's columns beside each row, after the page's own: the first trace's R + jX at the row's
// frequency and the distance between the tuner's and the measured Gamma.
inline constexpr std::array<std::string_view, 2> kMeasuredColumnHeadings{"Measured R + jX", "|Γ − Γm|"};
inline constexpr std::array<float, 2> kMeasuredColumnWidths{1550, 800};

// Where each point of each trace was drawn, trace by trace and point by point; not finite where
// a point lies off its chart or plot or has no Gamma against the chart's Z0.
struct MeasuredTracesDrawn {
    std::vector<std::vector<PagePoint>> chart, swr;
};

// The band chart's traces: each point's Gamma referred to the chart's Z0 `impedance`, joined in
// frequency order. Points that fall within a pen's width of the last one drawn are passed over
// (their places are still kept for the pointer), so that a sweep of ten thousand points draws
// as fast as a few hundred.
void DrawMeasuredOnChart(Surface& surface, std::span<const MeasuredTrace> traces, const ChartFrame& frame,
                         float impedance, const PageRect& area, MeasuredTracesDrawn& drawn);

// The SWR plot's traces, SWR against `impedance`: `place` gives a frequency's and an SWR's place,
// and only the points from `low` to `high` are drawn, within `area`.
using SwrPlace = std::function<PagePoint(double frequency, double swr)>;
void DrawMeasuredOnSwrPlot(Surface& surface, std::span<const MeasuredTrace> traces, float impedance,
                           const SwrPlace& place, double low, double high, const PageRect& area,
                           MeasuredTracesDrawn& drawn);

// The legend in the top right corner of `area`, on white: a stroke of each trace's colour and its
// file's name; the first trace, whose values the grid shows, is marked "(grid)".
void DrawMeasuredLegend(Surface& surface, std::span<const MeasuredTrace> traces, const PageRect& area);

// The lowest and highest frequencies of all traces; nothing without a point.
std::optional<std::array<double, 2>> MeasuredSpan(std::span<const MeasuredTrace> traces);

// The largest finite SWR of any point against `impedance`; nothing without one.
std::optional<double> LargestMeasuredSwr(std::span<const MeasuredTrace> traces, float impedance);

// The point nearest to `at` within `reach` page units among `places` (drawn.chart or drawn.swr).
struct MeasuredPointRef {
    std::size_t trace, point;
};
std::optional<MeasuredPointRef> MeasuredPointNear(const std::vector<std::vector<PagePoint>>& places,
                                                  PagePoint at, float reach);

// What hovering over a measured point tells: "dipole.s1p, 14.2 MHz", "24.1 -j61.3 Ω", "SWR 2.5"
// (against `impedance`).
std::array<std::string, 3> MeasuredPointTexts(const MeasuredTrace& trace, std::size_t point, float impedance);

} // namespace vorelin

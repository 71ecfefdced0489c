#include "graphics/measured_traces.h"

#include "core/figures_text.h"
#include "core/measured_rows.h"
#include "graphics/band_scene.h"
#include "graphics/results_scene.h"
#include "graphics/style.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorelin {

namespace {

// A point within this many page units of the last one drawn adds nothing a thin pen shows.
constexpr double kSkipWithin = 6;

constexpr float kNowhere = std::numeric_limits<float>::quiet_NaN();

bool IsFinite(const PagePoint& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

// Gamma against `impedance`; nothing where the point has none (a load of exactly -Z0).
std::optional<std::complex<double>> ChartGamma(const MeasuredSweep& sweep, const MeasuredPoint& point,
                                               float impedance) {
    return GammaReferredTo(point.gamma, sweep.reference, static_cast<double>(impedance));
}

// Infinite for a gamma of magnitude 1 or more: such a point runs along the plot's top.
double SwrOf(std::complex<double> gamma) {
    const double magnitude = std::abs(gamma);
    return magnitude < 1 ? (1 + magnitude) / (1 - magnitude) : std::numeric_limits<double>::infinity();
}

// The traces' lines through their kept places, each a thin stroke; a point without a place breaks it.
void DrawLines(Surface& surface, std::span<const MeasuredTrace> traces,
               const std::vector<std::vector<PagePoint>>& places, const PageRect& area) {
    if (traces.empty()) return;
    surface.SetClip(area, {});
    surface.SetPenWidth(1);
    for (std::size_t t = 0; t < traces.size(); ++t) {
        const std::vector<PagePoint>& at = places[t];
        std::optional<PagePoint> last;
        for (std::size_t i = 0; i < at.size(); ++i) {
            if (!IsFinite(at[i])) {
                last.reset();
                continue;
            }
            const bool end = i + 1 == at.size() || !IsFinite(at[i + 1]);
            if (last && !end &&
                std::hypot(static_cast<double>(at[i].x - last->x), static_cast<double>(at[i].y - last->y)) <
                    kSkipWithin)
                continue;
            if (last) ClippedLine(surface, *last, at[i], area, traces[t].colour);
            last = at[i];
        }
    }
    surface.ClearClip();
}

} // namespace

Colour MeasuredTraceColour(std::size_t index) { return kMeasuredTraceColours[index % std::size(kMeasuredTraceColours)]; }

void DrawMeasuredOnChart(Surface& surface, std::span<const MeasuredTrace> traces, const ChartFrame& frame,
                         float impedance, const PageRect& area, MeasuredTracesDrawn& drawn) {
    const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
    const double k = static_cast<double>(frame.aspectRatio) * r;
    drawn.chart.assign(traces.size(), {});
    for (std::size_t t = 0; t < traces.size(); ++t) {
        const MeasuredSweep& sweep = traces[t].sweep;
        std::vector<PagePoint>& at = drawn.chart[t];
        at.reserve(sweep.points.size());
        for (const MeasuredPoint& point : sweep.points) {
            const auto gamma = ChartGamma(sweep, point, impedance);
            at.push_back(
                gamma ? PagePoint{static_cast<float>(static_cast<double>(frame.centreX) + k * gamma->real()),
                                  static_cast<float>(static_cast<double>(frame.centreY) - r * gamma->imag())}
                      : PagePoint{kNowhere, kNowhere});
        }
    }
    DrawLines(surface, traces, drawn.chart, area);
}

void DrawMeasuredOnSwrPlot(Surface& surface, std::span<const MeasuredTrace> traces, float impedance,
                           const SwrPlace& place, double low, double high, const PageRect& area,
                           MeasuredTracesDrawn& drawn) {
    drawn.swr.assign(traces.size(), {});
    for (std::size_t t = 0; t < traces.size(); ++t) {
        const MeasuredSweep& sweep = traces[t].sweep;
        std::vector<PagePoint>& at = drawn.swr[t];
        at.reserve(sweep.points.size());
        for (const MeasuredPoint& point : sweep.points) {
            const auto gamma = ChartGamma(sweep, point, impedance);
            const bool shown = gamma && point.frequency >= low && point.frequency <= high;
            at.push_back(shown ? place(point.frequency, SwrOf(*gamma)) : PagePoint{kNowhere, kNowhere});
        }
    }
    DrawLines(surface, traces, drawn.swr, area);
}

void DrawMeasuredLegend(Surface& surface, std::span<const MeasuredTrace> traces, const PageRect& area) {
    if (traces.empty()) return;
    const Font& font = kPageFont;
    constexpr double kStroke = 250, kGap = 80, kMargin = 60, kLongestName = 2200;
    const double spacing = LineSpacing(font);
    std::vector<std::string> names;
    double widest = 0;
    for (std::size_t t = 0; t < traces.size(); ++t) {
        names.push_back(Fitted(font, traces[t].name, kLongestName) + (t == 0 ? " (grid)" : ""));
        widest = std::max(widest, TextWidth(font, names.back()));
    }
    const double right = static_cast<double>(area.right) - kMargin, top = static_cast<double>(area.top) + 20;
    const double left = right - kStroke - kGap - widest;
    surface.FilledBox(
        static_cast<float>(left - kMargin), static_cast<float>(top), static_cast<float>(right + kMargin / 2),
        static_cast<float>(top + spacing * static_cast<double>(names.size()) + kMargin / 2), kPaperColour);
    surface.SetFont(font);
    surface.SetTextColour(0);
    for (std::size_t t = 0; t < names.size(); ++t) {
        const double y = top + spacing * static_cast<double>(t);
        const auto middle = static_cast<float>(y + TextHeight(font) / 2);
        surface.SetPenWidth(3);
        surface.Line(static_cast<float>(left), middle, static_cast<float>(left + kStroke), middle,
                     traces[t].colour);
        surface.SetPenWidth(1);
        surface.MoveTo(static_cast<float>(left + kStroke + kGap), static_cast<float>(y));
        surface.Print(names[t]);
    }
}

std::optional<std::array<double, 2>> MeasuredSpan(std::span<const MeasuredTrace> traces) {
    std::optional<std::array<double, 2>> span;
    for (const MeasuredTrace& trace : traces) {
        if (trace.sweep.points.empty()) continue;
        const double low = trace.sweep.points.front().frequency, high = trace.sweep.points.back().frequency;
        span =
            span ? std::array{std::min((*span)[0], low), std::max((*span)[1], high)} : std::array{low, high};
    }
    return span;
}

std::optional<double> LargestMeasuredSwr(std::span<const MeasuredTrace> traces, float impedance) {
    std::optional<double> largest;
    for (const MeasuredTrace& trace : traces) {
        for (const MeasuredPoint& point : trace.sweep.points) {
            const auto gamma = ChartGamma(trace.sweep, point, impedance);
            if (gamma && std::isfinite(SwrOf(*gamma))) largest = std::max(largest.value_or(1), SwrOf(*gamma));
        }
    }
    return largest;
}

std::optional<MeasuredPointRef> MeasuredPointNear(const std::vector<std::vector<PagePoint>>& places,
                                                  PagePoint at, float reach) {
    std::optional<MeasuredPointRef> nearest;
    double best = static_cast<double>(reach) * static_cast<double>(reach);
    for (std::size_t t = 0; t < places.size(); ++t) {
        const std::vector<PagePoint>& points = places[t];
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double dx = static_cast<double>(points[i].x) - static_cast<double>(at.x);
            const double dy = static_cast<double>(points[i].y) - static_cast<double>(at.y);
            if (dx * dx + dy * dy <= best) { // false for a point not drawn
                best = dx * dx + dy * dy;
                nearest = MeasuredPointRef{t, i};
            }
        }
    }
    return nearest;
}

std::array<std::string, 3> MeasuredPointTexts(const MeasuredTrace& trace, std::size_t point,
                                              float impedance) {
    const MeasuredPoint& measured = trace.sweep.points[point];
    const auto load = ImpedanceOfGamma(measured.gamma, trace.sweep.reference);
    const auto gamma = ChartGamma(trace.sweep, measured, impedance);
    const double swr = gamma ? SwrOf(*gamma) : std::numeric_limits<double>::infinity();
    return {trace.name + ", " + FrequencyLabel(static_cast<float>(measured.frequency)),
            MeasuredLoadText(MeasuredComparison{measured.gamma, load, std::nullopt}),
            "SWR " + FigureText(std::isfinite(swr) ? std::optional(swr) : std::nullopt)};
}

} // namespace vorelin

#include "graphics/band_scene.h"

#include "core/amateur_bands.h"
#include "core/decimal_number.h"
#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "graphics/chart_grid.h"
#include "graphics/load_marks.h"
#include "graphics/page_layout.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace vorelin {

namespace {

constexpr float kMarkRadius = 40;
constexpr float kSelectedRadius = 80;
constexpr float kSwrMarkRadius = 25;
constexpr float kSwrSelectedRadius = 60;
// A flagged row's ring, between its mark and the selected row's.
constexpr float kMisreadRadius = 62;
constexpr float kSwrMisreadRadius = 42;

// The button column and the accuracy choice left of the chart; the way back at the foot.
constexpr double kLeftColumn = 300, kRightColumn = 1850, kButtonWidth = 1450, kButtonHeight = 300;
constexpr ControlPlace kControlPlaces[] = {
    {"addRowButton", kLeftColumn, 4550, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"deleteRowButton", kRightColumn, 4550, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"sortButton", kLeftColumn, 4950, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"pasteButton", kRightColumn, 4950, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"openButton", kLeftColumn, 5550, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"saveButton", kRightColumn, 5550, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"touchstoneButton", kLeftColumn, 5950, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"resultsCsvButton", kRightColumn, 5950, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"pictureButton", kLeftColumn, 6350, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"measuredButton", kRightColumn, 6350, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"accuracyLabel", kLeftColumn, 6950, kButtonWidth, kButtonHeight, kPageFont},
    {"accuracyBox", kRightColumn, 6950, kButtonWidth, kButtonHeight, kPageFont},
    {"areasLabel", kLeftColumn, 7350, 3000, kButtonHeight, kPageFont},
    {"predictFrequencyBox", kLeftColumn, 7800, kButtonWidth, kButtonHeight, kPageFont},
    {"predictButton", kRightColumn, 7800, kButtonWidth, kButtonHeight, kPageButtonFont},
    {"entriesButton", kLeftColumn, 8300, kButtonWidth, kButtonHeight, kPageButtonFont},
    // The antenna system's choices between the title and the note on the table.
    {"profileLabel", 3900, 260, 1200, 280, kPageFont},
    {"profileChooser", 5150, 260, 2150, 280, kPageFont},
    {"placeLabel", 3900, 580, 1200, 280, kPageFont},
    {"placeChooser", 5150, 580, 2150, 280, kPageFont},
};

float F(double value) { return static_cast<float>(value); }
double D(float value) { return static_cast<double>(value); }

bool IsFinite(const PagePoint& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

// Whether a mark of this radius at `at` shows in `area`.
bool Near(const PagePoint& at, const PageRect& area, float radius) {
    return IsFinite(at) && at.x >= area.left - radius && at.x <= area.right + radius &&
           at.y >= area.top - radius && at.y <= area.bottom + radius;
}

// A row's mark: a circle, a predicted row's a square of its own colour (its settings were never
// tuned), and a ring around a row flagged as likely misread.
void Mark(Surface& surface, const BandScenePoint& point, PagePoint at, float radius, float ringRadius,
          const PageRect& area) {
    if (!Near(at, area, ringRadius)) return;
    if (point.predicted) {
        surface.SetPenWidth(2);
        surface.BoxOutline(at.x - radius, at.y - radius, at.x + radius, at.y + radius, kPredictedColour);
    } else {
        surface.Circle(at.x, at.y, radius, kTraceColour);
    }
    if (point.misread) {
        surface.SetPenWidth(3);
        surface.Circle(at.x, at.y, ringRadius, kMisreadColour);
    }
    surface.SetPenWidth(1);
}

} // namespace

namespace {

// The stretch [enter, leave] of the line from `from` to `to` (0 at `from`, 1 at `to`) that lies
// inside `area` (Liang and Barsky's clipping); nothing when no part of it does.
std::optional<std::pair<double, double>> InsideStretch(PagePoint from, PagePoint to, const PageRect& area) {
    if (!IsFinite(from) || !IsFinite(to)) return std::nullopt;
    const double dx = D(to.x) - D(from.x), dy = D(to.y) - D(from.y);
    double enter = 0, leave = 1;
    const auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
        return enter <= leave;
    };
    if (!edge(-dx, D(from.x) - D(area.left)) || !edge(dx, D(area.right) - D(from.x)) ||
        !edge(-dy, D(from.y) - D(area.top)) || !edge(dy, D(area.bottom) - D(from.y)))
        return std::nullopt;
    return std::pair{enter, leave};
}

} // namespace

// The part of a line inside `area`, drawn as a line of its own: a trace of a thousand crossing
// strokes is painted far faster as lines than as one polyline, and a load far off the chart gives
// no huge coordinates to the painter.
void ClippedLine(Surface& surface, PagePoint from, PagePoint to, const PageRect& area, Colour colour) {
    const auto inside = InsideStretch(from, to, area);
    if (!inside) return;
    const auto [enter, leave] = *inside;
    const double dx = D(to.x) - D(from.x), dy = D(to.y) - D(from.y);
    surface.Line(F(D(from.x) + enter * dx), F(D(from.y) + enter * dy), F(D(from.x) + leave * dx),
                 F(D(from.y) + leave * dy), colour);
}

namespace {

// The selected row's area last, in the stronger green, so that no other area covers it.
void DrawAreas(Surface& surface, const BandSceneModel& model, const ChartFrame& frame,
               const PageRect& within) {
    const BandScenePoint* selected = nullptr;
    for (const BandScenePoint& point : model.points) {
        if (point.area == nullptr) continue;
        if (point.row == model.selectedRow) {
            selected = &point;
        } else {
            FillToleranceArea(surface, *point.area, frame, kOtherAreaColour, within);
        }
    }
    if (selected != nullptr) FillToleranceArea(surface, *selected->area, frame, kRegionColour, within);
}

} // namespace

std::string Fitted(const Font& font, const std::string& text, double width) {
    if (TextWidth(font, text) <= width) return text;
    std::string cut = text;
    while (!cut.empty()) {
        // One character off the end: its UTF-8 continuation bytes, then its first byte.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80)
            cut.pop_back();
        if (!cut.empty()) cut.pop_back();
        if (TextWidth(font, cut + "…") <= width) return cut + "…";
    }
    return {};
}

namespace {

void PrintAt(Surface& surface, float x, float y, std::string_view text) {
    surface.MoveTo(x, y);
    surface.Print(text);
}

// Whether a line from `a` to `b` passes through a rectangle.
bool Crosses(const PageRect& r, PagePoint a, PagePoint b) { return InsideStretch(a, b, r).has_value(); }

// The lowest and highest frequencies beside their marks, inside the chart's area, each where it
// covers no mark, no stretch of the trace, neither the other label nor the chart's caption nor
// the grid's labels.
void LabelEnds(Surface& surface, const BandSceneModel& model, const ChartFrame& frame,
               const std::vector<PagePoint>& marks, const PageRect& caption) {
    // The lowest and the highest frequency, where their marks show; one label where they are the same.
    std::vector<std::size_t> ends;
    if (!marks.empty()) {
        const std::size_t last = marks.size() - 1;
        for (const std::size_t i : {std::size_t{0}, last}) {
            if (i == last && !ends.empty() && model.points[0].frequency == model.points[last].frequency)
                continue;
            if (i == last && last == 0) continue;
            if (Near(marks[i], kBandChartArea, 0)) ends.push_back(i);
        }
    }
    // Inside the chart's area, clear of its edge, so that no clip cuts a label; within its reach of
    // its end, so that only what lies near the end matters to it (a table of a thousand rows has a
    // thousand marks).
    const PageRect bounds = Inflated(kBandChartArea, -40);
    constexpr float kReach = 1500, kLongestLabel = 1000;
    const double r = D(frame.chartRadius) * D(frame.chartScale), k = D(frame.aspectRatio) * r;
    std::optional<PageRect> placed;
    surface.SetFont(kPageFont);
    surface.SetTextColour(kInkColour);
    for (const std::size_t i : ends) {
        const PageRect near =
            Inflated({marks[i].x, marks[i].y, marks[i].x, marks[i].y}, kReach + kLongestLabel);
        FreeRoom room(20);
        room.Take(caption);
        if (placed) room.Take(*placed);
        for (const PagePoint& mark : marks) {
            if (Near(mark, near, kSelectedRadius))
                room.Take(Inflated({mark.x, mark.y, mark.x, mark.y}, kSelectedRadius));
        }
        // Nor the grid's own labels.
        for (const GridLabel& label : ResultsGridStyle().labels) {
            const PagePoint at{F(D(frame.centreX) + label.x.factor * k + label.x.offset),
                               F(D(frame.centreY) + label.y.factor * r + label.y.offset)};
            if (const PageRect cell = TextRect(at, label.text, kPageFont); Overlap(cell, near))
                room.Take(cell);
        }
        std::vector<std::pair<PagePoint, PagePoint>> stretches;
        for (std::size_t m = 1; m < marks.size(); ++m) {
            const PagePoint a = marks[m - 1], b = marks[m];
            if (IsFinite(a) && IsFinite(b) &&
                Overlap({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)},
                        near))
                stretches.push_back({a, b});
        }
        const auto clearOfTrace = [&](const PageRect& place) {
            const PageRect kept = Inflated(place, 30);
            return std::ranges::none_of(stretches,
                                        [&](const auto& s) { return Crosses(kept, s.first, s.second); });
        };
        const std::string text = FrequencyLabel(model.points[i].frequency);
        const auto height = static_cast<float>(TextHeight(kPageFont));
        const PagePoint wanted{marks[i].x + kSelectedRadius + 20, marks[i].y - height - 20};
        const std::vector<PageRect> found = room.NearestAccepted(TextRect(wanted, text, kPageFont), bounds,
                                                                 100, kReach, clearOfTrace, 1, 0, true);
        if (found.empty()) continue;
        placed = found.front();
        PrintAt(surface, placed->left, placed->top, text);
    }
}

void DrawChart(Surface& surface, const BandSceneModel& model, const BandChartView& view,
               BandSceneDrawn& drawn) {
    const ChartFrame frame = BandFrame(view);
    drawn.marks.clear();
    drawn.marks.reserve(model.points.size());
    for (const BandScenePoint& point : model.points)
        drawn.marks.push_back(MapLoad(point.load.LoadR, point.load.LoadX, model.impedance, frame));

    surface.SetClip(kBandChartArea, {});
    DrawAreas(surface, model, frame, kBandChartArea);
    surface.SetFont(kPageFont);
    // The grid blanks the small r = 5 disc: the areas there are filled again (only there) before
    // its lines.
    const double r = D(frame.chartRadius) * D(frame.chartScale), k = D(frame.aspectRatio) * r;
    const PageRect fiveDisc{F(D(frame.centreX) + k * 2 / 3), F(D(frame.centreY) - r / 6),
                            F(D(frame.centreX) + k), F(D(frame.centreY) + r / 6)};
    DrawChartGrid(surface, frame, ResultsGridStyle(), [&] {
        if (!Overlap(fiveDisc, kBandChartArea)) return;
        surface.SetClip({std::max(fiveDisc.left, kBandChartArea.left),
                         std::max(fiveDisc.top, kBandChartArea.top),
                         std::min(fiveDisc.right, kBandChartArea.right),
                         std::min(fiveDisc.bottom, kBandChartArea.bottom)},
                        {});
        DrawAreas(surface, model, frame, fiveDisc);
        surface.SetClip(kBandChartArea, {});
    });

    // Under the rows' own trace, as the rows are what the page is about.
    DrawMeasuredOnChart(surface, model.measured, frame, model.impedance, kBandChartArea, drawn.measured);
    // The trace: the loads in frequency order; a load off every chart breaks it.
    surface.SetPenWidth(2);
    for (std::size_t i = 1; i < drawn.marks.size(); ++i)
        ClippedLine(surface, drawn.marks[i - 1], drawn.marks[i], kBandChartArea, kTraceColour);
    surface.SetPenWidth(1);
    for (std::size_t i = 0; i < model.points.size(); ++i)
        Mark(surface, model.points[i], drawn.marks[i], kMarkRadius, kMisreadRadius, kBandChartArea);
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        if (model.points[i].row != model.selectedRow ||
            !Near(drawn.marks[i], kBandChartArea, kSelectedRadius))
            continue;
        surface.SetPenWidth(6);
        surface.Circle(drawn.marks[i].x, drawn.marks[i].y, kFinalMarkRingRadius, kPaperColour);
        surface.SetPenWidth(2);
        surface.Circle(drawn.marks[i].x, drawn.marks[i].y, kSelectedRadius, kFinalMarkColour);
        surface.SetPenWidth(1);
    }
    std::string caption =
        model.atAntenna ? "Antenna feedpoints on a " + PlainText(model.impedance) + " ohm chart (the line's)"
                        : "Loads on a " + PlainText(model.impedance) + " ohm chart";
    if (model.mixedImpedances) caption += " (SWR: each row's own)";
    const PageRect captionRect =
        TextRect({kBandChartArea.left + 50, kBandChartArea.top + 20}, caption, kPageFont);
    LabelEnds(surface, model, frame, drawn.marks, captionRect);

    // On its own ground: a zoomed chart runs under it.
    surface.FilledBox(captionRect.left, captionRect.top, captionRect.right, captionRect.bottom, kPaperColour);
    surface.SetFont(kPageFont);
    surface.SetTextColour(kInkColour);
    PrintAt(surface, captionRect.left, captionRect.top, caption);
    DrawMeasuredLegend(surface, model.measured, kBandChartArea);
    surface.ClearClip();
}

// The SWR axis is logarithmic from 1 to the first of these tops that holds every row's SWR, at
// least 2; an SWR above the last runs off the top and is marked there. Its ticks are the tops.
constexpr double kSwrTicks[] = {1, 1.5, 2, 3, 5, 10, 20, 50, 100};

double SwrTop(const BandSceneModel& model) {
    double largest = 1;
    for (const BandScenePoint& point : model.points) {
        if (point.swr) largest = std::max(largest, *point.swr);
    }
    // Without rows, the measured sweeps set the scale.
    if (model.points.empty()) largest = LargestMeasuredSwr(model.measured, model.impedance).value_or(1);
    for (const double top : kSwrTicks) {
        if (top >= 2 && largest <= top) return top;
    }
    return kSwrTicks[std::size(kSwrTicks) - 1];
}

// The frequency axis's unit: MHz from 1 MHz on, kHz from 1 kHz, else Hz.
struct FrequencyUnit {
    double hertz;
    std::string_view name;
};
FrequencyUnit UnitFor(double frequency) {
    if (frequency >= 1e6) return {1e6, "MHz"};
    if (frequency >= 1e3) return {1e3, "kHz"};
    return {1, "Hz"};
}

// Round ticks from `low` to `high` (at least four of them where the two differ), each with its
// text in `unit`.
struct FrequencyTick {
    double frequency;
    std::string text;
};
std::vector<FrequencyTick> FrequencyTicks(double low, double high, const FrequencyUnit& unit) {
    if (!(high > low)) return {{low, Trimmed(FormatFrequency(static_cast<float>(low)))}};
    const auto count = [low, high](double step) {
        return std::floor(high / step) - std::ceil(low / step) + 1;
    };
    // The largest step of 5, 2.5, 2 or 1 times a power of ten that leaves at least four ticks.
    double decade = std::pow(10, std::ceil(std::log10(high - low)));
    double step = decade;
    for (bool found = false; !found; decade /= 10) {
        for (const double factor : {0.5, 0.25, 0.2, 0.1}) {
            step = decade * factor;
            if (count(step) >= 4) {
                found = true;
                break;
            }
        }
    }
    // Twelve significant digits drop the last bits of the multiples: 73 x 0.05 shows as 3.65.
    std::vector<FrequencyTick> ticks;
    for (double n = std::ceil(low / step); n <= std::floor(high / step); n += 1)
        ticks.push_back({n * step, DecimalText(n * (step / unit.hertz), {12, false, true, false})});
    return ticks;
}

void DrawSwrPlot(Surface& surface, const BandSceneModel& model, BandSceneDrawn& drawn) {
    const auto textHeight = static_cast<float>(TextHeight(kPageFont));
    const PageRect box{kBandSwrArea.left + 500, kBandSwrArea.top + 350, kBandSwrArea.right - 150,
                       kBandSwrArea.bottom - 350};
    std::vector<const BandScenePoint*> shown;
    for (const BandScenePoint& point : model.points) {
        if (point.swr) shown.push_back(&point);
    }
    double low = shown.empty() ? 0 : D(shown.front()->frequency);
    double high = shown.empty() ? 0 : D(shown.back()->frequency);
    // The rows' span; where they span none, the measured sweeps' (and the rows within it).
    const auto measuredSpan = MeasuredSpan(model.measured);
    if (measuredSpan && !(high > low)) {
        low = shown.empty() ? (*measuredSpan)[0] : std::min(low, (*measuredSpan)[0]);
        high = shown.empty() ? (*measuredSpan)[1] : std::max(high, (*measuredSpan)[1]);
    }
    const bool anything = !shown.empty() || measuredSpan;
    const FrequencyUnit unit = UnitFor(high);

    surface.SetFont(kHeadingFont);
    surface.SetTextColour(kInkColour);
    const std::string title = model.atAntenna ? "SWR on the line against frequency" : "SWR against frequency";
    PrintAt(surface, kBandSwrArea.left, kBandSwrArea.top,
            !anything || high == low ? title : title + ", " + std::string(unit.name));
    surface.SetFont(kPageFont);

    const double top = SwrTop(model);
    const auto yOf = [&](double swr) {
        return F(D(box.bottom) - std::log(std::min(swr, top)) / std::log(top) * D(box.bottom - box.top));
    };
    const auto xOf = [&](double frequency) {
        if (high == low) return F((D(box.left) + D(box.right)) / 2);
        return F(D(box.left) + (frequency - low) / (high - low) * D(box.right - box.left));
    };

    // The amateur bands the rows reach into, shaded behind everything, named where there is room:
    // at the band's top, or its foot where the trace runs high.
    for (const AmateurBand& band : kAmateurBands) {
        if (!anything || band.highHz < low || band.lowHz > high) continue;
        const float left = high == low ? box.left : xOf(std::max(low, band.lowHz));
        const float right = high == low ? box.right : xOf(std::min(high, band.highHz));
        surface.FilledBox(left, box.top, std::max(right, left + 20), box.bottom, kAmateurBandShade);
        if (TextWidth(kPageFont, band.name) + 80 > D(right) - D(left)) continue;
        float highest = box.bottom, lowest = box.top; // of the trace over the band
        for (const BandScenePoint* point : shown) {
            if (D(point->frequency) < band.lowHz || D(point->frequency) > band.highHz) continue;
            highest = std::min(highest, yOf(*point->swr));
            lowest = std::max(lowest, yOf(*point->swr));
        }
        const float nameTop = highest > box.top + 30 + textHeight + 100     ? box.top + 30
                              : lowest < box.bottom - 30 - textHeight - 100 ? box.bottom - 30 - textHeight
                                                                            : -1;
        if (nameTop < 0) continue;
        surface.SetTextColour(kBandNameColour);
        PrintAt(surface, left + 40, nameTop, band.name);
        surface.SetTextColour(kInkColour);
    }

    surface.SetPenWidth(1);
    for (const double tick : kSwrTicks) {
        if (tick > top) break;
        const float y = yOf(tick);
        surface.Line(box.left, y, box.right, y, kGridLightColour);
        const std::string text = FigureText(tick);
        PrintAt(surface, F(D(box.left) - 60 - TextWidth(kPageFont, text)), y - textHeight / 2, text);
    }
    surface.BoxOutline(box.left, box.top, box.right, box.bottom, kGridEmphasisColour);
    if (!anything) return;

    for (const FrequencyTick& tick : FrequencyTicks(low, high, unit)) {
        const float x = xOf(tick.frequency);
        surface.Line(x, box.bottom, x, box.bottom + 50, kGridEmphasisColour);
        const double width = TextWidth(kPageFont, tick.text);
        // Centred under the tick, but within the plot's area.
        const double left = std::clamp(D(x) - width / 2, D(kBandSwrArea.left), D(kBandSwrArea.right) - width);
        PrintAt(surface, F(left), box.bottom + 70, tick.text);
    }

    DrawMeasuredOnSwrPlot(
        surface, model.measured, model.impedance,
        [&](double frequency, double swr) {
            return PagePoint{xOf(frequency), yOf(swr)};
        },
        low, high, box, drawn.measured);
    // The trace; an SWR above the axis runs along its top, and is marked there.
    surface.SetClip(Inflated(box, kSwrSelectedRadius), {});
    surface.SetPenWidth(2);
    const PageRect plotted = Inflated(box, kSwrSelectedRadius);
    for (std::size_t i = 1; i < shown.size(); ++i)
        ClippedLine(surface, {xOf(D(shown[i - 1]->frequency)), yOf(*shown[i - 1]->swr)},
                    {xOf(D(shown[i]->frequency)), yOf(*shown[i]->swr)}, plotted, kTraceColour);
    surface.SetPenWidth(1);
    for (const BandScenePoint* point : shown)
        Mark(surface, *point, {xOf(D(point->frequency)), yOf(*point->swr)}, kSwrMarkRadius, kSwrMisreadRadius,
             plotted);
    // An arrow up from the top edge where an SWR lies above the axis (all in one run of lines).
    surface.SetPenWidth(2);
    for (const BandScenePoint* point : shown) {
        if (*point->swr <= top) continue;
        const float x = xOf(D(point->frequency));
        surface.Line(x - 70, box.top + 110, x, box.top + 20, kTraceColour);
        surface.Line(x, box.top + 20, x + 70, box.top + 110, kTraceColour);
    }
    surface.SetPenWidth(1);
    for (const BandScenePoint* point : shown) {
        if (point->row != model.selectedRow) continue;
        surface.SetPenWidth(2);
        surface.Circle(xOf(D(point->frequency)), yOf(*point->swr), kSwrSelectedRadius, kFinalMarkColour);
        surface.SetPenWidth(1);
    }
    surface.ClearClip();
}

} // namespace

std::span<const ControlPlace> BandControlPlaces() { return kControlPlaces; }

BandChartView HomeBandView() {
    return {(kBandChartArea.left + kBandChartArea.right) / 2,
            (kBandChartArea.top + kBandChartArea.bottom) / 2 + 25, 1};
}

ChartFrame BandFrame(const BandChartView& view) {
    return {view.centreX, view.centreY, kBandChartRadius, view.scale, 1};
}

void ZoomBandView(BandChartView& view, PagePoint about, double factor) {
    const float scale = std::clamp(F(D(view.scale) * factor), kSmallestBandScale, kLargestBandScale);
    const double applied = D(scale) / D(view.scale);
    view.centreX = F(D(about.x) + (D(view.centreX) - D(about.x)) * applied);
    view.centreY = F(D(about.y) + (D(view.centreY) - D(about.y)) * applied);
    view.scale = scale;
}

void PanBandView(BandChartView& view, float dx, float dy) {
    view.centreX = F(D(view.centreX) + D(dx));
    view.centreY = F(D(view.centreY) + D(dy));
}

BandSceneModel MakeBandSceneModel(const BandTable& table, std::span<const BandResult> results,
                                  std::span<const std::optional<ToleranceArea>> areas,
                                  std::optional<std::size_t> selectedRow, std::span<const MisreadRow> misread,
                                  std::optional<float> lineImpedance) {
    BandSceneModel model;
    model.selectedRow = selectedRow;
    model.atAntenna = lineImpedance.has_value();
    model.impedance = lineImpedance.value_or(ChartImpedance(table, results));
    if (model.atAntenna) areas = {};
    model.points.reserve(table.rows.size());
    for (const std::size_t row : FrequencyOrder(table)) {
        const BandResult& result = results[row];
        if (!result.load) continue;
        const Entries& entries = table.rows[row].entries;
        if (!model.atAntenna && entries.Impedance != model.impedance) model.mixedImpedances = true;
        const ToleranceArea* area = row < areas.size() && areas[row] ? &*areas[row] : nullptr;
        const bool flagged = std::ranges::binary_search(misread, row, {}, &MisreadRow::row);
        model.points.push_back({row, entries.Frequency, *result.load, result.figures.swr, area,
                                IsPredictedRow(table.rows[row]), flagged});
    }
    return model;
}

BandSceneDrawn DrawBandScene(Surface& surface, const BandSceneModel& model, const BandChartView& view) {
    BandSceneDrawn drawn;
    DrawChart(surface, model, view, drawn);
    DrawSwrPlot(surface, model, drawn);
    return drawn;
}

std::optional<std::size_t> PointNear(const BandSceneDrawn& drawn, PagePoint at, float reach) {
    std::optional<std::size_t> nearest;
    double best = D(reach) * D(reach);
    for (std::size_t i = 0; i < drawn.marks.size(); ++i) {
        const double dx = D(drawn.marks[i].x) - D(at.x), dy = D(drawn.marks[i].y) - D(at.y);
        const double distance = dx * dx + dy * dy;
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

std::string FrequencyLabel(float frequency) { return Trimmed(FormatFrequency(frequency)) + "Hz"; }

std::array<std::string, 3> PointTexts(const BandScenePoint& point) {
    BandResult result;
    result.load = point.load;
    const char* const kind = point.predicted ? ", predicted" : point.misread ? ", likely misread" : "";
    return {FrequencyLabel(point.frequency) + kind, result.LoadText(), "SWR " + FigureText(point.swr)};
}

void DrawBandPicture(Surface& surface, const BandTable& table, std::span<const BandResult> results,
                     std::size_t firstRow, const BandSceneModel& model, const BandChartView& view) {
    surface.SetFont(kPageTitleFont);
    surface.SetTextColour(kPageTitleColour);
    PrintAt(surface, 1000, 300, "Vorelin - Band");

    // The table as the page shows it: the headings on grey, then one line a row.
    const float rowHeight = 260;
    const PageRect& area = kBandTableArea;
    surface.FilledBox(area.left, area.top, area.right, area.top + rowHeight, kLabelBoxColour);
    surface.SetTextColour(kInkColour);
    const auto columnLeft = [&](std::size_t column) {
        float x = area.left;
        for (std::size_t c = 0; c < column; ++c)
            x += kBandColumnWidths[c];
        return x;
    };
    // A row without a load tells why across the result columns: the text from column `spanFrom` on
    // takes the rest of the line.
    const auto printRow = [&](float y, const Font& font, std::size_t spanFrom, const auto& textOf) {
        for (std::size_t column = 0; column < kBandViewColumns; ++column) {
            const float right = columnLeft(column == spanFrom ? kBandViewColumns : column + 1);
            PrintAt(surface, columnLeft(column) + 40, y + 40,
                    Fitted(font, textOf(column), D(right) - D(columnLeft(column)) - 80));
            if (column == spanFrom) break;
        }
    };
    // The headings in the grid's own regular face, which their columns were made wide enough for.
    surface.SetFont(kPageFont);
    printRow(area.top, kPageFont, kBandViewColumns,
             [](std::size_t column) { return std::string(kBandColumnHeadings[column]); });
    float y = area.top + rowHeight;
    for (std::size_t row = firstRow; row < table.rows.size() && y + rowHeight <= area.bottom; ++row) {
        const BandResult& result = results[row];
        const bool misread = std::ranges::any_of(
            model.points, [row](const BandScenePoint& point) { return point.row == row && point.misread; });
        if (IsPredictedRow(table.rows[row]))
            surface.FilledBox(area.left, y, columnLeft(kBandViewColumns), y + rowHeight,
                              kPredictedBackground);
        if (misread)
            surface.FilledBox(columnLeft(kBandFlagColumn), y, columnLeft(kBandViewColumns), y + rowHeight,
                              kMisreadBackground);
        surface.SetTextColour(result.load ? kInkColour : kProblemColour);
        printRow(y, kPageFont, result.load ? kBandViewColumns : kBandColumnCount, [&](std::size_t column) {
            if (column < kBandColumnCount) return table.rows[row].cells[column];
            if (!result.load) return result.reason;
            if (column == kBandColumnCount) return result.LoadText();
            if (column == kBandFlagColumn) return misread ? std::string(kMisreadText) : std::string();
            return column == kBandColumnCount + 1 ? result.SwrText() : result.GammaText();
        });
        y += rowHeight;
    }
    surface.SetTextColour(kInkColour);
    surface.BoxOutline(area.left, area.top, area.right, area.bottom, kLabelBoxColour);
    DrawBandScene(surface, model, view);
}

} // namespace vorelin

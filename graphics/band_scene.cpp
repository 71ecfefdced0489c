#include "graphics/band_scene.h"

#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "graphics/chart_grid.h"
#include "graphics/load_marks.h"
#include "graphics/page_layout.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kTraceBlue = kLoadMark.colour;
constexpr Colour kSelectedRed = kFinalMarkRed;
constexpr Colour kAreaGreen = 0xAAEEAA;     // light: the areas of the other rows
constexpr Colour kSelectedGreen = 0x66CC00; // the tolerance region's green: the selected row's area
constexpr Colour kHeadingGrey = 0xE0E0E0;
constexpr Colour kProblemRed = 0x0000CC;
constexpr Colour kPredictedPurple = 0xC040A0;
constexpr Colour kMisreadOrange = 0x0080FF;

constexpr float kMarkRadius = 40;
constexpr float kSelectedRadius = 80;
constexpr float kSwrMarkRadius = 25;
constexpr float kSwrSelectedRadius = 60;
// A flagged row's ring, between its mark and the selected row's.
constexpr float kMisreadRadius = 62;
constexpr float kSwrMisreadRadius = 42;

const Font kSceneFont = kResultsPageFont;
const Font kHeadingFont{"Arial", kResultsPageFont.size, true};

// The button column and the accuracy choice left of the chart; the way back at the foot.
const Font kButtonFont{"Arial", kResultsPageFont.size, true};
const Font kControlFont = kResultsPageFont;
constexpr double kLeftColumn = 300, kRightColumn = 1850, kButtonWidth = 1450, kButtonHeight = 300;
const ControlPlace kControlPlaces[] = {
    {"addRowButton", kLeftColumn, 4550, kButtonWidth, kButtonHeight, kButtonFont},
    {"deleteRowButton", kRightColumn, 4550, kButtonWidth, kButtonHeight, kButtonFont},
    {"sortButton", kLeftColumn, 4950, kButtonWidth, kButtonHeight, kButtonFont},
    {"pasteButton", kRightColumn, 4950, kButtonWidth, kButtonHeight, kButtonFont},
    {"openButton", kLeftColumn, 5550, kButtonWidth, kButtonHeight, kButtonFont},
    {"saveButton", kRightColumn, 5550, kButtonWidth, kButtonHeight, kButtonFont},
    {"touchstoneButton", kLeftColumn, 5950, kButtonWidth, kButtonHeight, kButtonFont},
    {"resultsCsvButton", kRightColumn, 5950, kButtonWidth, kButtonHeight, kButtonFont},
    {"pictureButton", kLeftColumn, 6350, kButtonWidth, kButtonHeight, kButtonFont},
    {"accuracyLabel", kLeftColumn, 6950, kButtonWidth, kButtonHeight, kControlFont},
    {"accuracyBox", kRightColumn, 6950, kButtonWidth, kButtonHeight, kControlFont},
    {"areasLabel", kLeftColumn, 7350, 3000, kButtonHeight, kControlFont},
    {"predictFrequencyBox", kLeftColumn, 7800, kButtonWidth, kButtonHeight, kControlFont},
    {"predictButton", kRightColumn, 7800, kButtonWidth, kButtonHeight, kButtonFont},
    {"entriesButton", kLeftColumn, 8300, kButtonWidth, kButtonHeight, kButtonFont},
};

float F(double value) { return static_cast<float>(value); }
double D(float value) { return static_cast<double>(value); }

// The reflection plane's point (re, im) on the chart, as the grid places it.
PagePoint GammaOnPage(const ChartFrame& frame, float re, float im) {
    const double r = D(frame.chartRadius) * D(frame.chartScale);
    const double k = D(frame.aspectRatio) * r;
    return {F(D(frame.centreX) + k * D(re)), F(D(frame.centreY) - r * D(im))};
}

// The boxes of an area that reach into `within`.
void DrawArea(Surface& surface, const ToleranceArea& area, const ChartFrame& frame, Colour colour,
              const PageRect& within) {
    for (const GammaBox& box : area.boxes) {
        const PagePoint topLeft = GammaOnPage(frame, box.left, box.top);
        const PagePoint bottomRight = GammaOnPage(frame, box.right, box.bottom);
        if (Overlap({topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}, within))
            surface.FilledBox(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, colour);
    }
}

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
        surface.BoxOutline(at.x - radius, at.y - radius, at.x + radius, at.y + radius, kPredictedPurple);
    } else {
        surface.Circle(at.x, at.y, radius, kTraceBlue);
    }
    if (point.misread) {
        surface.SetPenWidth(3);
        surface.Circle(at.x, at.y, ringRadius, kMisreadOrange);
    }
    surface.SetPenWidth(1);
}

// The part of a line inside `area` (Liang and Barsky's clipping), drawn as a line of its own: a
// trace of a thousand crossing strokes is painted far faster as lines than as one polyline, and
// a load far off the chart gives no huge coordinates to the painter.
void ClippedLine(Surface& surface, PagePoint from, PagePoint to, const PageRect& area, Colour colour) {
    if (!IsFinite(from) || !IsFinite(to)) return;
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
        return;
    surface.Line(F(D(from.x) + enter * dx), F(D(from.y) + enter * dy), F(D(from.x) + leave * dx),
                 F(D(from.y) + leave * dy), colour);
}

// The selected row's area last, in the stronger green, so that no other area covers it.
void DrawAreas(Surface& surface, const BandSceneModel& model, const ChartFrame& frame,
               const PageRect& within) {
    const BandScenePoint* selected = nullptr;
    for (const BandScenePoint& point : model.points) {
        if (point.area == nullptr) continue;
        if (point.row == model.selectedRow) {
            selected = &point;
        } else {
            DrawArea(surface, *point.area, frame, kAreaGreen, within);
        }
    }
    if (selected != nullptr) DrawArea(surface, *selected->area, frame, kSelectedGreen, within);
}

// A text cut to `width` page units, with "…" where it was cut.
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

void PrintAt(Surface& surface, float x, float y, std::string_view text) {
    surface.MoveTo(x, y);
    surface.Print(text);
}

// The lowest and highest frequencies beside their marks, each where it covers neither mark nor
// the other label nor the chart's caption.
void LabelEnds(Surface& surface, const BandSceneModel& model, const ChartFrame& frame,
               const std::vector<PagePoint>& marks, const PageRect& caption) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (IsFinite(marks[i])) {
            ends.push_back(i);
            break;
        }
    }
    for (std::size_t i = marks.size(); i-- > 0;) {
        if (IsFinite(marks[i])) {
            // One label where the lowest and highest frequencies are the same.
            if (ends.empty() || model.points[ends.front()].frequency != model.points[i].frequency)
                ends.push_back(i);
            break;
        }
    }
    FreeRoom room(20);
    room.Take(caption);
    for (const std::size_t i : ends)
        room.Take(Inflated({marks[i].x, marks[i].y, marks[i].x, marks[i].y}, kSelectedRadius));
    // Nor a flag of a likely misread row.
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (model.points[i].misread && IsFinite(marks[i]))
            room.Take(Inflated({marks[i].x, marks[i].y, marks[i].x, marks[i].y}, kMisreadRadius));
    }
    // Nor the grid's own labels.
    const double r = D(frame.chartRadius) * D(frame.chartScale), k = D(frame.aspectRatio) * r;
    for (const GridLabel& label : ResultsGridStyle().labels) {
        const PagePoint at{F(D(frame.centreX) + label.x.factor * k + label.x.offset),
                           F(D(frame.centreY) + label.y.factor * r + label.y.offset)};
        room.Take(TextRect(at, label.text, kSceneFont));
    }
    surface.SetFont(kSceneFont);
    surface.SetTextColour(kBlack);
    for (const std::size_t i : ends) {
        const std::string text = FrequencyLabel(model.points[i].frequency);
        const auto height = static_cast<float>(TextHeight(kSceneFont));
        const PagePoint wanted{marks[i].x + kSelectedRadius + 20, marks[i].y - height - 20};
        const PageRect place = room.Nearest(TextRect(wanted, text, kSceneFont), kBandChartArea, 50, 1500);
        room.Take(place);
        PrintAt(surface, place.left, place.top, text);
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
    surface.SetFont(kSceneFont);
    // The grid blanks the small r = 5 disc: the areas there are filled again before its lines.
    const double r = D(frame.chartRadius) * D(frame.chartScale), k = D(frame.aspectRatio) * r;
    const PageRect fiveDisc{F(D(frame.centreX) + k * 2 / 3), F(D(frame.centreY) - r / 6),
                            F(D(frame.centreX) + k), F(D(frame.centreY) + r / 6)};
    DrawChartGrid(surface, frame, ResultsGridStyle(), [&] { DrawAreas(surface, model, frame, fiveDisc); });

    // The trace: the loads in frequency order; a load off every chart breaks it.
    surface.SetPenWidth(2);
    for (std::size_t i = 1; i < drawn.marks.size(); ++i)
        ClippedLine(surface, drawn.marks[i - 1], drawn.marks[i], kBandChartArea, kTraceBlue);
    surface.SetPenWidth(1);
    for (std::size_t i = 0; i < model.points.size(); ++i)
        Mark(surface, model.points[i], drawn.marks[i], kMarkRadius, kMisreadRadius, kBandChartArea);
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        if (model.points[i].row != model.selectedRow ||
            !Near(drawn.marks[i], kBandChartArea, kSelectedRadius))
            continue;
        surface.SetPenWidth(6);
        surface.Circle(drawn.marks[i].x, drawn.marks[i].y, kFinalMarkRingRadius, kFinalMarkRing);
        surface.SetPenWidth(2);
        surface.Circle(drawn.marks[i].x, drawn.marks[i].y, kSelectedRadius, kSelectedRed);
        surface.SetPenWidth(1);
    }
    std::string caption = "Loads on a " + PlainText(model.impedance) + " ohm chart";
    if (model.mixedImpedances) caption += " (SWR: each row's own)";
    const PageRect captionRect =
        TextRect({kBandChartArea.left + 50, kBandChartArea.top + 20}, caption, kSceneFont);
    LabelEnds(surface, model, frame, drawn.marks, captionRect);

    // On its own ground: a zoomed chart runs under it.
    surface.FilledBox(captionRect.left, captionRect.top, captionRect.right, captionRect.bottom, kWhite);
    surface.SetFont(kSceneFont);
    surface.SetTextColour(kBlack);
    PrintAt(surface, captionRect.left, captionRect.top, caption);
    surface.ClearClip();
}

// The SWR axis reaches the first of these that holds every row's SWR; a larger one runs off the top.
constexpr double kSwrTops[] = {1.5, 2, 3, 5, 10, 20, 50, 100};

double SwrTop(const BandSceneModel& model) {
    double largest = 1;
    for (const BandScenePoint& point : model.points) {
        if (point.swr) largest = std::max(largest, *point.swr);
    }
    for (const double top : kSwrTops) {
        if (largest <= top) return top;
    }
    return kSwrTops[std::size(kSwrTops) - 1];
}

std::vector<double> SwrTicks(double top) {
    if (top == 1.5) return {1, 1.25, 1.5};
    if (top == 2) return {1, 1.5, 2};
    if (top == 10) return {1, 2, 3, 5, 10};
    if (top == 20) return {1, 5, 10, 15, 20};
    if (top == 50) return {1, 10, 20, 30, 40, 50};
    if (top == 100) return {1, 25, 50, 75, 100};
    std::vector<double> ticks;
    for (double swr = 1; swr <= top; swr += 1)
        ticks.push_back(swr);
    return ticks;
}

void DrawSwrPlot(Surface& surface, const BandSceneModel& model) {
    const auto textHeight = static_cast<float>(TextHeight(kSceneFont));
    const PageRect box{kBandSwrArea.left + 500, kBandSwrArea.top + 350, kBandSwrArea.right - 150,
                       kBandSwrArea.bottom - 350};
    surface.SetFont(kHeadingFont);
    surface.SetTextColour(kBlack);
    PrintAt(surface, kBandSwrArea.left, kBandSwrArea.top, "SWR against frequency");
    surface.SetFont(kSceneFont);

    const double top = SwrTop(model);
    const auto yOf = [&](double swr) {
        return F(D(box.bottom) - (swr - 1) / (top - 1) * D(box.bottom - box.top));
    };
    surface.SetPenWidth(1);
    for (const double tick : SwrTicks(top)) {
        const float y = yOf(tick);
        surface.Line(box.left, y, box.right, y, kGridLight);
        const std::string text = FigureText(tick);
        PrintAt(surface, F(D(box.left) - 60 - TextWidth(kSceneFont, text)), y - textHeight / 2, text);
    }
    surface.BoxOutline(box.left, box.top, box.right, box.bottom, kGridEmphasis);

    std::vector<const BandScenePoint*> shown;
    for (const BandScenePoint& point : model.points) {
        if (point.swr) shown.push_back(&point);
    }
    if (shown.empty()) return;
    const double low = D(shown.front()->frequency), high = D(shown.back()->frequency);
    const auto xOf = [&](float frequency) {
        if (high == low) return F((D(box.left) + D(box.right)) / 2);
        return F(D(box.left) + (D(frequency) - low) / (high - low) * D(box.right - box.left));
    };
    const std::string lowText = FrequencyLabel(shown.front()->frequency);
    PrintAt(surface, box.left, box.bottom + 60, lowText);
    if (high != low) {
        const std::string highText = FrequencyLabel(shown.back()->frequency);
        PrintAt(surface, F(D(box.right) - TextWidth(kSceneFont, highText)), box.bottom + 60, highText);
    }

    // SWRs above the axis run off the top of the box.
    surface.SetClip(Inflated(box, kSwrSelectedRadius), {});
    surface.SetPenWidth(2);
    const PageRect plotted = Inflated(box, kSwrSelectedRadius);
    for (std::size_t i = 1; i < shown.size(); ++i)
        ClippedLine(surface, {xOf(shown[i - 1]->frequency), yOf(*shown[i - 1]->swr)},
                    {xOf(shown[i]->frequency), yOf(*shown[i]->swr)}, plotted, kTraceBlue);
    surface.SetPenWidth(1);
    for (const BandScenePoint* point : shown)
        Mark(surface, *point, {xOf(point->frequency), yOf(*point->swr)}, kSwrMarkRadius, kSwrMisreadRadius,
             box);
    for (const BandScenePoint* point : shown) {
        if (point->row != model.selectedRow) continue;
        surface.SetPenWidth(2);
        surface.Circle(xOf(point->frequency), yOf(*point->swr), kSwrSelectedRadius, kSelectedRed);
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
                                  std::optional<std::size_t> selectedRow,
                                  std::span<const MisreadRow> misread) {
    BandSceneModel model;
    model.selectedRow = selectedRow;
    model.impedance = ChartImpedance(table, results);
    model.points.reserve(table.rows.size());
    for (const std::size_t row : FrequencyOrder(table)) {
        const BandResult& result = results[row];
        if (!result.load) continue;
        const Entries& entries = table.rows[row].entries;
        if (entries.Impedance != model.impedance) model.mixedImpedances = true;
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
    DrawSwrPlot(surface, model);
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
    surface.SetFont(kResultsTitleFont);
    surface.SetTextColour(kPageTitleColour);
    PrintAt(surface, 1000, 300, "Vorelin - Band");

    // The table as the page shows it: the headings on grey, then one line a row.
    const float rowHeight = 260;
    const PageRect& area = kBandTableArea;
    surface.FilledBox(area.left, area.top, area.right, area.top + rowHeight, kHeadingGrey);
    surface.SetTextColour(kBlack);
    const auto columnLeft = [&](std::size_t column) {
        float x = area.left;
        for (std::size_t c = 0; c < column; ++c)
            x += kBandColumnWidths[c];
        return x;
    };
    // A row without a load tells why across the three result columns, a flagged row across the
    // last two: the text from column `spanFrom` on takes the rest of the line.
    const auto printRow = [&](float y, const Font& font, std::size_t spanFrom, const auto& textOf) {
        for (std::size_t column = 0; column < kBandViewColumns; ++column) {
            const float right = columnLeft(column == spanFrom ? kBandViewColumns : column + 1);
            PrintAt(surface, columnLeft(column) + 40, y + 40,
                    Fitted(font, textOf(column), D(right) - D(columnLeft(column)) - 80));
            if (column == spanFrom) break;
        }
    };
    // The headings in the grid's own regular face, which their columns were made wide enough for.
    surface.SetFont(kSceneFont);
    printRow(area.top, kSceneFont, kBandViewColumns,
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
            surface.FilledBox(columnLeft(kBandColumnCount), y, columnLeft(kBandViewColumns), y + rowHeight,
                              kMisreadBackground);
        surface.SetTextColour(result.load ? kBlack : kProblemRed);
        const std::size_t spanFrom = !result.load ? kBandColumnCount
                                     : misread    ? kBandColumnCount + 1
                                                  : kBandViewColumns;
        printRow(y, kSceneFont, spanFrom, [&](std::size_t column) {
            if (column < kBandColumnCount) return table.rows[row].cells[column];
            if (!result.load) return result.reason;
            if (column == kBandColumnCount) return result.LoadText();
            if (misread) return std::string(kMisreadText);
            return column == kBandColumnCount + 1 ? result.SwrText() : result.GammaText();
        });
        y += rowHeight;
    }
    surface.SetTextColour(kBlack);
    surface.BoxOutline(area.left, area.top, area.right, area.bottom, kHeadingGrey);
    DrawBandScene(surface, model, view);
}

} // namespace vorelin

#include "graphics/results_scene.h"

#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/chart_grid.h"
#include "graphics/page_layout.h"
#include "graphics/schematic.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vorelin {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kLoadTextRed = 0x0000FF;
constexpr Colour kLabelGrey = 0xE0E0E0;
constexpr Colour kCaptionBackground = 0xEEEEFF;
constexpr Colour kHintBackground = 0xFFFFFF;

constexpr float kLoadTextTop = 3200;
constexpr float kLoadLineTop = 3400;

constexpr std::string_view kHint =
    "Adjust the network for a flat input. Then measure each of the network's component values and enter "
    "those values into the network schematic on the Entries page. The load will appear somewhere within "
    "the colored area. That area is defined by the above-selected accuracy of the component value "
    "measurement.";
// The hint's box ends short of the aspect-ratio label beside its lower part.
constexpr double kHintLeft = 3000, kHintTop = 6000, kHintWidth = 2000, kHintHeight = 2500;
// The details block: in the free area left of the chart, below the generator's texts.
constexpr double kDetailsLeft = 1000, kDetailsTop = 4200, kDetailsWidth = 4300;
constexpr float kSmallestHintFont = PointFontSize(6);

// The largest size, at most the hint font's own, at which the hint wrapped into its box fits it,
// with a little room to spare.
Font FittedHintFont() {
    Font font = kResultsHintFont;
    for (; font.size > kSmallestHintFont; font.size *= 0.95f) {
        const auto lines = WrapText(font, kHint, kHintWidth * 0.95);
        if (static_cast<double>(lines.size()) * LineSpacing(font) <= kHintHeight * 0.95) return font;
    }
    font.size = kSmallestHintFont;
    return font;
}

void DrawLabel(Surface& surface, const PageLabel& label) {
    if (label.filled)
        surface.FilledBox(static_cast<float>(label.left), static_cast<float>(label.top),
                          static_cast<float>(label.left + label.width),
                          static_cast<float>(label.top + label.height), label.background);
    surface.SetFont(label.font);
    surface.SetTextColour(label.textColour);
    if (label.wrapped) {
        const auto lines = WrapText(label.font, label.text, label.width * 0.95);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            surface.MoveTo(static_cast<float>(label.left),
                           static_cast<float>(label.top + static_cast<double>(i) * LineSpacing(label.font)));
            surface.Print(lines[i]);
        }
    } else if (!label.text.empty()) {
        const double indent = label.centred ? (label.width - TextWidth(label.font, label.text)) / 2 : 0;
        surface.MoveTo(static_cast<float>(label.left + indent), static_cast<float>(label.top));
        surface.Print(label.text);
    }
    surface.SetTextColour(kBlack);
}

// The readout step's drawing: the schematic with the generator's texts, then "Load:" and the
// load line in red under the readout column.
void DrawReadout(Surface& surface, const ResultsModel& model) {
    const bool computed = model.run.Computed();
    surface.SetFont(kResultsPageFont);
    surface.SetTextColour(kBlack);
    surface.SetPenWidth(2);
    // A load that was not found has no reactance to show: its lead-in is a bare Wire.
    const ResultsSchematicEnds ends =
        DrawResultsSchematic(surface, model.entries, computed ? model.run.load.LoadX : 0);
    const float readoutX = ends.networkEndX + 200;
    surface.SetTextColour(kLoadTextRed);
    surface.MoveTo(readoutX + 100, kLoadTextTop);
    surface.Print("Load:");
    surface.MoveTo(readoutX + 100, kLoadLineTop);
    surface.Print(computed ? LoadLine(model.run.load) : std::string(kLoadLineNotComputable));
    surface.SetTextColour(kBlack);
}

// The varied loads in green, then the nominal load in dark red.
// The varied loads (mapped into scratch.pagePoints beforehand) in green, then the nominal load in
// dark red.
void DrawRegion(Surface& surface, const ResultsModel& model, const ChartFrame& frame,
                const ResultsScratch& scratch) {
    if (!model.run.Computed()) return;
    PlotMapped(surface, scratch.pagePoints, kRegionDot);
    if (model.region.nominal.Computed())
        PlotDot(surface, model.region.nominal.load, model.entries.Impedance, frame, kNominalDot);
}

// Which cells of a coarse grid over the page hold a point, and the rectangle all points lie in:
// whether many points come near a rectangle is then asked of a few cells rather than of every
// point. One pass over the points, which a region has tens of thousands of.
class Occupancy {
public:
    Occupancy(std::span<const PagePoint> points, float reach) : m_reach(reach) {
        for (const PagePoint& p : points) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
            m_cells[static_cast<std::size_t>(Row(p.y) * kColumns + Column(p.x))] = true;
            m_left = std::min(m_left, p.x);
            m_right = std::max(m_right, p.x);
            m_top = std::min(m_top, p.y);
            m_bottom = std::max(m_bottom, p.y);
        }
    }
    // The points' rectangle, each point widened by `reach`; nothing for no points.
    std::optional<PageRect> Bounds(float reach) const {
        if (m_left > m_right) return std::nullopt;
        return PageRect{m_left - reach, m_top - reach, m_right + reach, m_bottom + reach};
    }
    bool Near(const PageRect& r) const {
        for (int row = Row(r.top - m_reach); row <= Row(r.bottom + m_reach); ++row) {
            for (int column = Column(r.left - m_reach); column <= Column(r.right + m_reach); ++column) {
                if (m_cells[static_cast<std::size_t>(row * kColumns + column)]) return true;
            }
        }
        return false;
    }

private:
    // Cells of 100 page units; points off the page fall into the border cells.
    static constexpr int kColumns = 122, kRows = 92;
    static int Column(float x) {
        return std::clamp(static_cast<int>(std::floor(x / 100)) + 1, 0, kColumns - 1);
    }
    static int Row(float y) { return std::clamp(static_cast<int>(std::floor(y / 100)) + 1, 0, kRows - 1); }
    float m_reach;
    float m_left = std::numeric_limits<float>::infinity(), m_right = -m_left, m_top = m_left,
          m_bottom = -m_left;
    std::array<bool, kColumns * kRows> m_cells{};
};

} // namespace

ResultsModel ComputeResults(const Entries& entries, float accuracy, bool withRegion,
                            ResultsScratch& scratch) {
    ResultsModel model;
    model.entries = entries;
    model.run = RunNetwork(entries);
    model.accuracy = accuracy;
    model.figures = FiguresOf(model.run.load, entries.Impedance, entries.Frequency);
    scratch.loads.clear();
    if (withRegion && model.run.Computed()) {
        scratch.loads.reserve(static_cast<std::size_t>(SweepCombinations(entries.Topology, accuracy)));
        // The ranges come from the very loads the region draws: no second sweep.
        ToleranceRanges ranges(entries.Impedance);
        model.region = SweepTolerance(entries, accuracy, [&scratch, &ranges](const SweepPoint& point) {
            if (point.nominal) return;
            scratch.loads.push_back({point.loadR, point.loadX});
            ranges.Add(point.loadR, point.loadX);
        });
        model.ranges = ranges.Figures();
    }
    model.regionLoads = scratch.loads;
    return model;
}

namespace {

// The controls' fonts: the page's buttons in bold, the accuracy percentages, the view buttons
// and the aspect-ratio boxes. The view controls are as large as a pointer and a reader need at
// the smallest window a page may have (about 24 pixels a target, 11 a text).
const Font kButtonFont{"Arial", ScreenFontSize(0.0008), true};
const Font kPercentFont{"Arial", ScreenFontSize(0.0008), false};
const Font kViewFont{"Arial", ScreenFontSize(0.0008), false};

const ControlPlace kControlPlaces[] = {
    {"accuracyButton", 1000, 5500, 1500, 300, kButtonFont},
    {"accuracy1Button", 2600, 5500, 500, 300, kPercentFont},
    {"accuracy2Button", 3200, 5500, 500, 300, kPercentFont},
    {"accuracy5Button", 3800, 5500, 500, 300, kPercentFont},
    {"accuracy10Button", 4400, 5500, 500, 300, kPercentFont},
    {"accuracy20Button", 5000, 5500, 500, 300, kPercentFont},
    {"entriesButton", 1000, 6000, 1500, 300, kButtonFont},
    {"printButton", 1000, 6500, 1500, 300, kButtonFont},
    {"plotwinButton", 1000, 7000, 1500, 300, kButtonFont},
    {"exitButton", 1000, 7500, 1500, 300, kButtonFont},
    {"saveAsButton", 1000, 8000, 1500, 300, kButtonFont},
    {"designButton", 1000, 8500, 1500, 300, kButtonFont},
    {"aspectLabel", 5050, 7300, 950, 300, kViewFont},
    {"aspectBox", 6100, 7300, 500, 300, kViewFont},
    {"aspectSpinner", 6620, 7300, 300, 300, kViewFont},
    {"largerButton", 5400, 7700, 600, 300, kViewFont},
    {"smallerButton", 6000, 7700, 600, 300, kViewFont},
    {"resetButton", 6600, 7700, 600, 300, kViewFont},
    {"upButton", 5850, 8050, 300, 300, kViewFont},
    {"leftButton", 5550, 8350, 300, 300, kViewFont},
    {"rightButton", 6150, 8350, 300, 300, kViewFont},
    {"downButton", 5850, 8650, 300, 300, kViewFont},
};

} // namespace

std::span<const ControlPlace> ResultsControlPlaces() { return kControlPlaces; }

const ControlPlace& ResultsControlPlace(std::string_view name) {
    for (const ControlPlace& place : kControlPlaces) {
        if (place.name == name) return place;
    }
    static const ControlPlace kNowhere{"", 0, 0, 0, 0, {}};
    return kNowhere;
}

namespace {

constexpr float kLabelGap = 30;    // between a label and anything else
constexpr float kStrokeReach = 20; // how far a stroke of the schematic reaches beside its line
constexpr float kSearchStep = 50;
constexpr float kSearchReach = 4000;
constexpr double kLabelMargin = 120; // the grey box reaches this far beyond its text

// Where labels may go: the readout's column and the schematic's rows, above the figures.
constexpr PageRect kLabelBounds{1000, 850, 6800, 4150};
constexpr PageRect kReadoutBounds{1000, 850, 9200, 4150};
constexpr PageRect kCaptionBounds{5400, 850, 11900, 1950};
// The chart keeps below the title.
constexpr PageRect kChartBounds{0, 850, 12000, 9000};

PageRect RectOf(const PageLabel& label) {
    return {static_cast<float>(label.left), static_cast<float>(label.top),
            static_cast<float>(label.left + label.width), static_cast<float>(label.top + label.height)};
}

// A label as large as its text (and its margin where it has a grey box), at its designed place.
PageLabel FittedLabel(std::string name, std::string text, double left, double top, const Font& font,
                      bool grey) {
    const double width = TextWidth(font, text) + (grey ? kLabelMargin : 0);
    return {std::move(name), std::move(text), left, top, width, TextHeight(font) + 8, font, kBlack, grey,
            kLabelGrey};
}

void PlaceLabel(PageLabel label, const PageRect& bounds, FreeRoom& room, ResultsLayout& layout) {
    const PageRect place = room.Nearest(RectOf(label), bounds, kSearchStep, kSearchReach);
    label.left = static_cast<double>(place.left);
    label.top = static_cast<double>(place.top);
    room.Take(place);
    layout.labels.push_back(std::move(label));
}

} // namespace

std::vector<std::string> DetailsLines(const ResultsModel& model) {
    if (!model.run.Computed()) return {};
    const auto lines = DetailLines(model.figures);
    std::vector<std::string> details(lines.begin(), lines.end());
    if (model.ranges) details.push_back(RangeLine(*model.ranges, model.accuracy));
    return details;
}

ResultsLayout LayoutResults(const ResultsModel& model, const ResultsView& view) {
    const Entries& entries = model.entries;
    const bool computed = model.run.Computed();
    const float loadX = computed ? model.run.load.LoadX : 0;
    const ResultsSchematicEnds ends = ResultsSchematicExtent(entries.Topology, loadX);
    const double readoutX = static_cast<double>(ends.networkEndX + 200);

    ResultsLayout layout;
    FreeRoom room(kLabelGap);
    // Fixed: the schematic with the generator's texts, and the red load line under the readout.
    DisplayList fixed;
    DrawReadout(fixed, model);
    FreeRoom strokes(0);
    strokes.TakeAll(fixed, kStrokeReach);
    for (const PageRect& stroke : strokes.Taken())
        room.Take(stroke);
    // Stroke by stroke: the chart may come close to the schematic's corners without touching it.
    layout.taken.insert(layout.taken.end(), strokes.Taken().begin(), strokes.Taken().end());
    for (const ControlPlace& control : ResultsControlPlaces())
        room.Take({static_cast<float>(control.left), static_cast<float>(control.top),
                   static_cast<float>(control.left + control.width),
                   static_cast<float>(control.top + control.height)});

    PageLabel title = FittedLabel("lblTitle", "Vorelin - Results Page", 1000, 300, kResultsTitleFont, false);
    title.textColour = kPageTitleColour;
    room.Take(RectOf(title));
    layout.labels.push_back(title);
    if (view.hintShown) {
        const PageLabel hint{"lblComment",
                             std::string(kHint),
                             kHintLeft,
                             kHintTop,
                             kHintWidth,
                             kHintHeight,
                             FittedHintFont(),
                             kBlack,
                             true,
                             kHintBackground,
                             false,
                             true};
        room.Take(RectOf(hint));
        layout.labels.push_back(hint);
    }

    // The details block keeps its place (nothing else is designed into that area); the labels and
    // the chart make room for it.
    const std::vector<std::string> details = DetailsLines(model);
    if (!details.empty()) {
        std::string text;
        for (const std::string& line : details)
            text += (text.empty() ? "" : "\n") + line;
        PageLabel block{"details", text, kDetailsLeft, kDetailsTop, kDetailsWidth, 0, kResultsPageFont};
        block.wrapped = true;
        block.height = static_cast<double>(WrapText(kResultsPageFont, text, kDetailsWidth * 0.95).size()) *
                       LineSpacing(kResultsPageFont);
        room.Take(RectOf(block));
        layout.labels.push_back(block);
    }

    // The readout first: it is what the page is for; the part labels make room for it, the
    // headings for both, and the chart's caption for all of them.
    if (computed) {
        PlaceLabel(FittedLabel("lblReactance", ReactanceLabel(model.run.load, entries.Frequency), readoutX,
                               static_cast<double>(kResultsSchematicY) - 400, kResultsReadoutFont, false),
                   kReadoutBounds, room, layout);
        PlaceLabel(FittedLabel("lblResistance", ResistanceLabel(model.run.load),
                               static_cast<double>(ends.loadX) + 100,
                               static_cast<double>(kResultsSchematicY) + 400, kResultsReadoutFont, false),
                   kReadoutBounds, room, layout);
    } else {
        // The sentence wraps within the readout's width rather than run into the chart.
        PageLabel notComputable{"lblReactance",     std::string(kLoadNotComputable), readoutX, 0, 3400, 0,
                                kResultsReadoutFont};
        notComputable.wrapped = true;
        notComputable.height =
            static_cast<double>(WrapText(kResultsReadoutFont, kLoadNotComputable, 3400).size()) *
            LineSpacing(kResultsReadoutFont);
        notComputable.top = static_cast<double>(kResultsSchematicY) - 400 - notComputable.height + 375;
        PlaceLabel(notComputable, kReadoutBounds, room, layout);
    }

    const auto parts = PartsOf(entries.Topology);
    for (std::size_t position = 0; position < parts.size(); ++position) {
        const LabelPlace place = ResultsLabelPlace(entries.Topology, position);
        PlaceLabel(FittedLabel("lbl" + std::string(parts[position].name), PartLabel(entries, parts[position]),
                               place.left, place.top, kResultsPartFont, true),
                   kLabelBounds, room, layout);
    }

    PlaceLabel(FittedLabel("lblNetwork", "Network:", 2200, 1200, kResultsReadoutFont, true), kLabelBounds,
               room, layout);
    PlaceLabel(FittedLabel("lblLoad", "Load:", readoutX, 1200, kResultsReadoutFont, true), kLabelBounds, room,
               layout);
    // The caption's band is as high as its text: the designed 300 reached down to the chart's "+1".
    PageLabel caption{"lblNormalized",
                      "Load as shown on a " + SignedText(entries.Impedance) + " ohm chart:",
                      7000,
                      1500,
                      4000,
                      TextHeight(kResultsPageFont) + 10,
                      kResultsPageFont,
                      kBlack,
                      true,
                      kCaptionBackground,
                      true};
    PlaceLabel(caption, kCaptionBounds, room, layout);

    for (const PageLabel& label : layout.labels)
        layout.taken.push_back(RectOf(label));
    for (const ControlPlace& control : ResultsControlPlaces())
        layout.taken.push_back({static_cast<float>(control.left), static_cast<float>(control.top),
                                static_cast<float>(control.left + control.width),
                                static_cast<float>(control.top + control.height)});
    layout.chartArea = kChartBounds;
    return layout;
}

void DrawResultsPicture(Surface& surface, const Entries& entries, float aspectRatio, int accuracyPercent) {
    ResultsScratch scratch;
    const bool withRegion = accuracyPercent > 0;
    const ResultsModel model =
        ComputeResults(entries, AccuracyFraction(accuracyPercent), withRegion, scratch);
    ResultsView view;
    MoveCentreHome(view.view);
    EnsureScale(view.view);
    view.aspectRatio = aspectRatio;
    view.drawing = withRegion ? ResultsDrawing::RegionChosen : ResultsDrawing::LoadMarked;
    view.hintShown = withRegion;
    DrawResultsPage(surface, model, view, scratch);
}

void DrawResultsPage(Surface& surface, const ResultsModel& model, const ResultsView& view,
                     ResultsScratch& scratch) {
    const ChartFrame frame = ResultsFrame(view.view, view.aspectRatio);
    const bool computed = model.run.Computed();
    const float impedance = model.entries.Impedance;
    const ResultsLayout layout = LayoutResults(model, view);
    const bool region = view.drawing != ResultsDrawing::LoadMarked && computed;
    if (region) {
        MapLoads(model.regionLoads, impedance, frame, scratch.pagePoints);
    } else {
        scratch.pagePoints.clear();
    }

    // The chart keeps to its own part of the page, however far it is zoomed or panned. Only what
    // it may reach is cut out of it (a clip of many holes costs the renderer dearly).
    const PagePoint load = MapLoad(model.run.load.LoadR, model.run.load.LoadX, impedance, frame);
    const Occupancy regionCells(scratch.pagePoints, kRegionDot.radius + 110);
    const std::optional<PageRect> regionBounds = regionCells.Bounds(kRegionDot.radius + 10);
    const std::optional<PageRect> markBounds =
        computed && std::isfinite(load.x) && std::isfinite(load.y)
            ? std::optional<PageRect>(Inflated({load.x, load.y, load.x, load.y}, kNominalDot.radius + 10))
            : std::nullopt;
    const auto reached = [&](const PageRect& r) {
        return GridMayReach(frame, ResultsGridStyle(), kResultsPageFont, r) ||
               (regionBounds && Overlap(*regionBounds, r) && regionCells.Near(r)) ||
               (markBounds && Overlap(*markBounds, r));
    };
    std::vector<PageRect> holes;
    for (const PageRect& taken : layout.taken) {
        if (reached(taken)) holes.push_back(taken);
    }
    const PageRect& area = layout.chartArea;
    const bool leavesArea =
        reached({-1e6f, -1e6f, 1e6f, area.top}) || reached({-1e6f, area.bottom, 1e6f, 1e6f}) ||
        reached({-1e6f, -1e6f, area.left, 1e6f}) || reached({area.right, -1e6f, 1e6f, 1e6f});
    const bool clipped = leavesArea || !holes.empty();
    const auto chart = [&](auto&& draw) {
        if (clipped) surface.SetClip(area, holes);
        draw();
        if (clipped) surface.ClearClip();
    };
    // The grid drawn over a region blanks its r = 5 disc: the region's loads there are marked
    // again on the blank, under the lines that follow, so that none of them is lost.
    const auto regionInFiveDisc = [&] {
        const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
        const double k = static_cast<double>(frame.aspectRatio) * r;
        const auto shifted = [](double base, double by) { return static_cast<float>(base + by); };
        const double cx = static_cast<double>(frame.centreX), cy = static_cast<double>(frame.centreY);
        const PageRect disc{shifted(cx, k * 4 / 6), shifted(cy, -r / 6), shifted(cx, k), shifted(cy, r / 6)};
        if (!regionBounds || !Overlap(*regionBounds, disc)) return;
        for (const PagePoint& at : scratch.pagePoints) {
            if (!NearFiveDisc(frame, at, kRegionDot.radius)) continue;
            surface.SetPenWidth(1);
            surface.Circle(at.x, at.y, kRegionDot.radius, kRegionDot.colour);
        }
    };
    bool regionDrawn = false;
    const auto readoutAndGrid = [&] {
        DrawReadout(surface, model);
        chart([&] {
            DrawGrid(surface, view.view, view.aspectRatio,
                     regionDrawn ? std::function<void()>(regionInFiveDisc) : std::function<void()>());
        });
    };

    switch (view.drawing) {
    case ResultsDrawing::LoadMarked:
        readoutAndGrid();
        if (computed) chart([&] { PlotDot(surface, model.run.load, impedance, frame, view.mark); });
        break;
    case ResultsDrawing::ViewChanged:
    case ResultsDrawing::RegionChosen:
        if (view.drawing == ResultsDrawing::ViewChanged) readoutAndGrid();
        chart([&] { DrawRegion(surface, model, frame, scratch); });
        regionDrawn = model.region.nominal.Computed();
        readoutAndGrid();
        if (computed) chart([&] { PlotDot2(surface, model.run.load, impedance, frame, kNominalDot.radius); });
        break;
    }

    // The labels stand over the drawing, as the page's controls do.
    for (const PageLabel& label : layout.labels)
        DrawLabel(surface, label);
}

} // namespace vorelin

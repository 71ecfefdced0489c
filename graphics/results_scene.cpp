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
#include <atomic>
#include <cmath>
#include <limits>

namespace vorelin {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kLoadTextRed = 0x0000FF;

constexpr float kLoadTextTop = 3200;
constexpr float kLoadLineTop = 3400;
// Between the red load line and what it must keep clear of: the chart's area, the port mark.
constexpr float kLoadLineGap = 30;

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

// The varied loads (mapped beforehand) in green over the area they cover, then the nominal load in
// dark red.
void DrawRegion(Surface& surface, const ResultsModel& model, const ChartFrame& frame,
                std::span<const PagePoint> region) {
    if (!model.run.Computed()) return;
    FillToleranceArea(surface, model.regionArea, frame, kRegionDot.colour, kResultsChartArea);
    PlotMapped(surface, region, kRegionDot);
    if (model.region.nominal.Computed())
        PlotDot(surface, model.region.nominal.load, model.entries.Impedance, frame, kNominalDot);
}

std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> generations{0};
    return ++generations;
}

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
        model.region = SweepToleranceLoads(entries, accuracy, scratch.loads);
        // The ranges come from the very loads the region draws: no second sweep.
        ToleranceRanges ranges(entries.Impedance);
        for (const Load& load : scratch.loads)
            ranges.Add(load.LoadR, load.LoadX);
        model.ranges = ranges.Figures();
        const std::atomic<bool> go{false};
        model.regionArea =
            ToleranceAreaOf(entries, accuracy, entries.Impedance, go).value_or(ToleranceArea{});
    }
    model.regionLoads = scratch.loads;
    model.loadsGeneration = NextGeneration();
    return model;
}

void DrawResultsReadout(Surface& surface, const ResultsModel& model) {
    const bool computed = model.run.Computed();
    surface.SetFont(kResultsPageFont);
    surface.SetTextColour(kBlack);
    surface.SetPenWidth(2);
    // A load that was not found has no reactance to show: its lead-in is a bare Wire.
    const ResultsSchematicEnds ends =
        DrawResultsSchematic(surface, model.entries, computed ? model.run.load.LoadX : 0);
    const std::string line = computed ? LoadLine(model.run.load) : std::string(kLoadLineNotComputable);
    // "Load:" and the load line stand under the readout column, moved left as far as a long line
    // needs to keep out of the chart's area, but not across the output port mark; a line still
    // too long goes on two lines, the reactance under the resistance.
    const double width = TextWidth(kResultsPageFont, line);
    const double designed = static_cast<double>(ends.networkEndX) + 300;
    const double leftmost = static_cast<double>(ends.networkEndX + kLoadLineGap);
    const double rightmost = static_cast<double>(kResultsChartArea.left - kLoadLineGap);
    const auto x = static_cast<float>(std::max(leftmost, std::min(designed, rightmost - width)));
    surface.SetTextColour(kLoadTextRed);
    surface.MoveTo(x, kLoadTextTop);
    surface.Print("Load:");
    const std::size_t split = line.find(" -j") != std::string::npos ? line.find(" -j") : line.find(" +j");
    if (static_cast<double>(x) + width <= rightmost || split == std::string::npos) {
        surface.MoveTo(x, kLoadLineTop);
        surface.Print(line);
    } else {
        surface.MoveTo(x, kLoadLineTop);
        surface.Print(line.substr(0, split));
        surface.MoveTo(x,
                       static_cast<float>(static_cast<double>(kLoadLineTop) + LineSpacing(kResultsPageFont)));
        surface.Print(line.substr(split + 1));
    }
    surface.SetTextColour(kBlack);
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
    // Everything but the chart depends on the entries alone: laid out once for them.
    if (!scratch.layout || scratch.layoutGeneration != model.loadsGeneration ||
        scratch.layoutHint != view.hintShown) {
        scratch.layout = LayoutResults(model, view);
        scratch.layoutGeneration = model.loadsGeneration;
        scratch.layoutHint = view.hintShown;
    }
    const bool withRegion = view.drawing == ResultsDrawing::RegionChosen && computed;
    const std::span<const PagePoint> region =
        withRegion ? scratch.region.Map(model.regionLoads, model.loadsGeneration, impedance, frame)
                   : std::span<const PagePoint>();
    const std::optional<PageRect> regionBounds =
        withRegion ? scratch.region.Bounds() : std::optional<PageRect>();

    // The chart keeps to its own area, however far it is zoomed or panned; nothing else of the
    // page lies there.
    const auto chart = [&](auto&& draw) {
        surface.SetClip(kResultsChartArea, {});
        draw();
        surface.ClearClip();
    };
    // The grid drawn over a region blanks its r = 5 disc: the region's loads there are marked
    // again on the blank, under the lines that follow, so that none of them is lost.
    const auto regionInFiveDisc = [&] {
        const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
        const double k = static_cast<double>(frame.aspectRatio) * r;
        const auto shifted = [](double base, double by) { return static_cast<float>(base + by); };
        const double cx = static_cast<double>(frame.centreX), cy = static_cast<double>(frame.centreY);
        const PageRect disc{shifted(cx, k * 4 / 6), shifted(cy, -r / 6), shifted(cx, k), shifted(cy, r / 6)};
        if (!regionBounds || !Overlap(Inflated(*regionBounds, kRegionDot.radius), disc)) return;
        if (Overlap(disc, kResultsChartArea)) {
            surface.SetClip({std::max(disc.left, kResultsChartArea.left),
                             std::max(disc.top, kResultsChartArea.top),
                             std::min(disc.right, kResultsChartArea.right),
                             std::min(disc.bottom, kResultsChartArea.bottom)},
                            {});
            FillToleranceArea(surface, model.regionArea, frame, kRegionDot.colour, disc);
            surface.SetClip(kResultsChartArea, {});
        }
        for (const PagePoint& at : region) {
            if (!NearFiveDisc(frame, at, kRegionDot.radius)) continue;
            surface.SetPenWidth(1);
            surface.Circle(at.x, at.y, kRegionDot.radius, kRegionDot.colour);
        }
    };

    // A view change draws what the accuracy buttons draw: the readout and the grid once, over the
    // region, so that nothing outside the chart's area differs from one view to the next.
    if (view.drawing == ResultsDrawing::LoadMarked) {
        DrawResultsReadout(surface, model);
        chart([&] {
            DrawGrid(surface, view.view, view.aspectRatio);
            if (computed) PlotDot(surface, model.run.load, impedance, frame, view.mark);
        });
    } else {
        chart([&] { DrawRegion(surface, model, frame, region); });
        DrawResultsReadout(surface, model);
        const bool regionDrawn = computed && model.region.nominal.Computed();
        chart([&] {
            DrawGrid(surface, view.view, view.aspectRatio,
                     regionDrawn ? std::function<void()>(regionInFiveDisc) : std::function<void()>());
            if (computed) PlotDot2(surface, model.run.load, impedance, frame, kNominalDot.radius);
        });
    }

    // A chart panned wholly out of its area leaves it empty but for the way back.
    const PagePoint load = MapLoad(model.run.load.LoadR, model.run.load.LoadX, impedance, frame);
    const bool loadShown =
        computed && std::isfinite(load.x) && std::isfinite(load.y) &&
        Overlap(Inflated({load.x, load.y, load.x, load.y}, kNominalDot.radius), kResultsChartArea);
    const bool regionShown =
        regionBounds && Overlap(Inflated(*regionBounds, kRegionDot.radius), kResultsChartArea);
    if (!GridMayReach(frame, ResultsGridStyle(), kResultsPageFont, kResultsChartArea) && !loadShown &&
        !regionShown) {
        surface.SetFont(kResultsPageFont);
        surface.SetTextColour(kBlack);
        const double middleX =
            (static_cast<double>(kResultsChartArea.left) + static_cast<double>(kResultsChartArea.right) -
             TextWidth(kResultsPageFont, kChartAwayText)) /
            2;
        const double middleY =
            (static_cast<double>(kResultsChartArea.top) + static_cast<double>(kResultsChartArea.bottom) -
             TextHeight(kResultsPageFont)) /
            2;
        surface.MoveTo(static_cast<float>(middleX), static_cast<float>(middleY));
        surface.Print(kChartAwayText);
    }

    // The labels stand over the drawing, as the page's controls do.
    for (const PageLabel& label : scratch.layout->labels)
        DrawLabel(surface, label);
}

} // namespace vorelin

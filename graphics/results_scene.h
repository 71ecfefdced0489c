#pragma once

#include "core/entries.h"
#include "core/load_figures.h"
#include "core/networks.h"
#include "core/tolerance_area.h"
#include "core/tolerance_ranges.h"
#include "core/tolerance_sweep.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "graphics/surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The results page as one drawing: the schematic with its part values, the readout, the chart
// with the load and its tolerance region, and the page's labels. The page itself, the picture
// tool and the calculator's pictures all draw it through here.

// What the entries give: the load, and for a chosen accuracy the tolerance region's loads.
struct ResultsModel {
    Entries entries;
    NetworkRun run;                              // the entries' own load
    float accuracy = 0;                          // the accuracy the region was swept at
    SweepSummary region;                         // the sweep, when one ran
    std::span<const Load> regionLoads;           // its varied loads, in drawing order (storage: the caller's)
    ToleranceArea regionArea;                    // the area they cover, filled under their circles
    LoadFigures figures;                         // SWR and the other figures of the load
    std::optional<ToleranceRangeFigures> ranges; // the smallest and largest figures over the region
    std::uint64_t loadsGeneration = 0;           // tells this computation from every other
};

// The details block: the load's figures, and once an accuracy is chosen (with the ranges computed)
// the ranges over its region, in the page's type in the free area left of the chart.
std::vector<std::string> DetailsLines(const ResultsModel& model, bool accuracyChosen);

// What the page tells, as text to copy: "Load: " and the load line, then the details block's lines
// (the ranges with them once an accuracy is chosen), one a line; the reason when there is no load.
std::string ResultsText(const ResultsModel& model, bool accuracyChosen);

// Which of the page's redraws a drawing is: each draws the readout (the schematic with its texts
// and the red load line) and the grid once, in the order the page's handlers draw them.
enum class ResultsDrawing {
    LoadMarked,   // readout, grid, the load marked in the page's mark style (opening, aspect ratio)
    RegionChosen, // region, nominal mark, readout, grid, final mark (an accuracy button, a view change)
};

// How the page shows the model: its view, aspect ratio and mark style, and what else is shown.
struct ResultsView {
    ChartView view;
    float aspectRatio = 0;
    DotStyle mark = kLoadMark;
    ResultsDrawing drawing = ResultsDrawing::LoadMarked;
    bool hintShown = false; // the hint about the coloured area
};

// The area the results page's chart is drawn in, clipped there at every zoom, pan and aspect
// ratio: right of the schematic with its readout and of the view controls, below the chart's
// caption, to the page's right and lower edges. Nothing else of the page lies in it, so a view
// change changes nothing outside it. At home with the usual aspect ratio the whole chart lies in
// it, its labels included.
inline constexpr PageRect kResultsChartArea{6550, 1750, 12000, 9000};
// Shown in the chart's area when the chart was panned wholly out of it.
inline constexpr std::string_view kChartAwayText = "Reset brings the chart back";

// The page's fonts, in page units.
// Inline, so that they are set up before the drawings of other files that copy them.
inline const Font kResultsPageFont{"Arial", ScreenFontSize(0.0008), false}; // chart labels, generator texts
inline const Font kResultsReadoutFont{"Arial", PointFontSize(12), false};   // headings, readout
inline const Font kResultsPartFont{"MS Sans Serif", PointFontSize(12), false};       // the part labels
inline const Font kResultsTitleFont{"Times New Roman", ScreenFontSize(0.002), true}; // the page title
inline const Font kResultsHintFont{"Arial", PointFontSize(9.75), false};             // the hint
// The colour of every page title.
inline constexpr Colour kPageTitleColour = 0xFF0000;

// A label of the page: its text, its box (page units) and looks.
struct PageLabel {
    std::string name; // the page's name for it: "lblReactance", "lblC1", ...
    std::string text;
    double left, top, width, height;
    Font font;
    Colour textColour = 0;
    bool filled = false; // a background in `background`, else transparent
    Colour background = 0;
    bool centred = false;
    bool wrapped = false;
};

// Where everything but the chart stands: the labels in their places, in stacking order. Each is
// at its designed place where that is free, else where it covers nothing placed before it, never
// in the chart's area: a part's label right beside its part (nearer its body than any other
// symbol's), "Load:" right above its readout or beside it, the network's heading on the first row.
struct ResultsLayout {
    std::vector<PageLabel> labels;
};
ResultsLayout LayoutResults(const ResultsModel& model, const ResultsView& view);

// The readout step's drawing: the schematic with the generator's texts, then "Load:" and the
// load line in red under the readout column (moved left, or broken in two, where a long line
// would reach the chart's area).
void DrawResultsReadout(Surface& surface, const ResultsModel& model);

// Storage a redraw reuses, so that the page allocates nothing once it has grown, and what a view
// change need not work out again: the region's offsets from the chart's centre and the layout.
struct ResultsScratch {
    std::vector<Load> loads;
    MappedRegion region;
    std::optional<ResultsLayout> layout;
    std::uint64_t layoutGeneration = 0;
    bool layoutHint = false;
};

// Runs the network on the entries, and with `withRegion` the tolerance sweep at `accuracy` (only
// when the entries' own load can be computed: a region around no load would mislead).
ResultsModel ComputeResults(const Entries& entries, float accuracy, bool withRegion, ResultsScratch& scratch);

// Draws the whole page for the model as `view` shows it (the surface is not cleared first).
void DrawResultsPage(Surface& surface, const ResultsModel& model, const ResultsView& view,
                     ResultsScratch& scratch);

// The page as it stands when it opens, or with an accuracy as it stands after that accuracy's
// button: what the calculator's and the picture tool's pictures show. The view is at home.
void DrawResultsPicture(Surface& surface, const Entries& entries, float aspectRatio, int accuracyPercent = 0);

// Where the page's controls stand (page units). The page places its widgets from here, and the
// layout checks read it too.
struct ControlPlace {
    std::string_view name;
    double left, top, width, height;
    Font font;
};
std::span<const ControlPlace> ResultsControlPlaces();
const ControlPlace& ResultsControlPlace(std::string_view name);

} // namespace vorelin

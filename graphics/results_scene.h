#pragma once

#include "core/load_analysis.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "graphics/page_items.h"
#include "graphics/style.h"
#include "graphics/surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The results page as one drawing: the schematic with its part values, the readout, the chart
// with the load and its tolerance region, and the page's labels, all of one analysis of the load.
// The page itself, the picture tool and the calculator's pictures all draw it through here.

// Which of the page's redraws a drawing is: each draws the readout (the schematic with its texts
// and the red load line) and the grid once, in the order the page's handlers draw them.
enum class ResultsDrawing {
    LoadMarked,   // readout, grid, the load marked in the page's mark style (opening, aspect ratio)
    RegionChosen, // region, nominal mark, readout, grid, final mark (an accuracy button, a view change)
};

// How the page shows the analysis: its view, aspect ratio and mark style, and what else is shown.
struct ResultsView {
    ChartView view;
    float aspectRatio = 0;
    DotStyle mark = kLoadMark;
    ResultsDrawing drawing = ResultsDrawing::LoadMarked;
    bool hintShown = false; // the hint about the coloured area; the ranges with it
};

// The area the results page's chart is drawn in, clipped there at every zoom, pan and aspect
// ratio: right of the schematic with its readout and of the view controls, below the chart's
// caption, to the page's right and lower edges. Nothing else of the page lies in it, so a view
// change changes nothing outside it. At home with the usual aspect ratio the whole chart lies in
// it, its labels included.
inline constexpr PageRect kResultsChartArea{6550, 1750, WholePage(kWindowPage).right,
                                            WholePage(kWindowPage).bottom};
// Shown in the chart's area when the chart was panned wholly out of it.
inline constexpr std::string_view kChartAwayText = "Reset brings the chart back";

// Where everything but the chart stands: the labels in their places, in stacking order. Each is
// at its designed place where that is free, else where it covers nothing placed before it, never
// in the chart's area: a part's label right beside its part (nearer its body than any other
// symbol's), "Load:" right above its readout or beside it, the network's heading on the first row.
struct ResultsLayout {
    std::vector<PageLabel> labels;
};
ResultsLayout LayoutResults(const LoadAnalysis& analysis, const ResultsView& view);

// The readout step's drawing: the schematic with the generator's texts, then "Load:" and the
// load line in red under the readout column (moved left, or broken in two, where a long line
// would reach the chart's area).
void DrawResultsReadout(Surface& surface, const LoadAnalysis& analysis);

// What a redraw keeps, so that a view change allocates nothing once the page has grown and works
// out nothing again but the chart: the region's offsets from the chart's centre and the layout.
struct ResultsScratch {
    MappedRegion region;
    std::optional<ResultsLayout> layout;
    std::uint64_t layoutOf = 0; // the analysis the layout was made for
    bool layoutHint = false;
};

// Draws the whole page for the analysis as `view` shows it (the surface is not cleared first).
void DrawResultsPage(Surface& surface, const LoadAnalysis& analysis, const ResultsView& view,
                     ResultsScratch& scratch);

// The page as it stands when it opens, or for an analysis with an accuracy as it stands after that
// accuracy's button: what the calculator's and the picture tool's pictures show. The view is at
// home.
void DrawResultsPicture(Surface& surface, const LoadAnalysis& analysis, float aspectRatio);

// What the page tells, as text to copy: "Load: " and the load line, then its figures' lines (the
// ranges with them with `withRanges`), one a line; the reason when there is no load.
std::string ResultsText(const LoadAnalysis& analysis, bool withRanges);

// Where the page's controls stand. The page places its widgets from here, and the layout keeps
// its labels clear of them.
std::span<const ControlPlace> ResultsControlPlaces();

} // namespace vorelin

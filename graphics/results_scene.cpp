#include "graphics/results_scene.h"

#include "core/number_text.h"
#include "core/readout.h"
#include "graphics/results_chart.h"

namespace vorelin {

namespace {

// Everything but the chart depends on the analysis alone (and the hint): laid out once for it.
const ResultsLayout& LayoutFor(const LoadAnalysis& analysis, const ResultsView& view,
                               ResultsScratch& scratch) {
    if (!scratch.layout || scratch.layoutOf != analysis.id || scratch.layoutHint != view.hintShown) {
        scratch.layout = LayoutResults(analysis, view);
        scratch.layoutOf = analysis.id;
        scratch.layoutHint = view.hintShown;
    }
    return *scratch.layout;
}

} // namespace

void DrawResultsPage(Surface& surface, const LoadAnalysis& analysis, const ResultsView& view,
                     ResultsScratch& scratch) {
    const ResultsLayout& layout = LayoutFor(analysis, view, scratch);
    const ResultsChart chart(surface, analysis, view, scratch.region);
    // A view change draws what the accuracy buttons draw: the readout and the grid once, over the
    // region, so that nothing outside the chart's area differs from one view to the next.
    if (view.drawing == ResultsDrawing::LoadMarked) {
        DrawResultsReadout(surface, analysis);
        chart.DrawGridAndLoad();
    } else {
        chart.DrawRegion();
        DrawResultsReadout(surface, analysis);
        chart.DrawGridOverRegion();
    }
    chart.DrawWayBackWhenAway();
    // The labels stand over the drawing, as the page's controls do.
    for (const PageLabel& label : layout.labels)
        DrawLabel(surface, label);
}

void DrawResultsPicture(Surface& surface, const LoadAnalysis& analysis, float aspectRatio) {
    ResultsView view;
    MoveCentreHome(view.view);
    EnsureScale(view.view);
    view.aspectRatio = aspectRatio;
    view.drawing = analysis.accuracy ? ResultsDrawing::RegionChosen : ResultsDrawing::LoadMarked;
    view.hintShown = analysis.accuracy.has_value();
    ResultsScratch scratch;
    DrawResultsPage(surface, analysis, view, scratch);
}

std::string ResultsText(const LoadAnalysis& analysis, bool withRanges) {
    if (!analysis.Computed()) return std::string(kLoadNotComputable) + "\n";
    std::string text = "Load: " + Trimmed(LoadLine(analysis.run.load)) + "\n";
    for (const std::string& line : FigureLines(analysis, withRanges))
        text += line + "\n";
    return text;
}

} // namespace vorelin

#pragma once

#include "core/load_analysis.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "graphics/results_scene.h"
#include "graphics/surface.h"

#include <optional>
#include <span>

namespace vorelin {

// The results page's chart in its own area (kResultsChartArea), whatever the zoom, pan and aspect
// ratio: each step clips itself there. Made for one drawing of the page: the region's loads are
// mapped into the view once, as it is made.
class ResultsChart {
public:
    ResultsChart(Surface& surface, const LoadAnalysis& analysis, const ResultsView& view,
                 MappedRegion& mapped);

    // The region's area, then its loads in green and the nominal load in dark red.
    void DrawRegion() const;
    // The grid, then the load in the view's mark style.
    void DrawGridAndLoad() const;
    // The grid over the region (its loads in the blanked r = 5 disc marked again there), then the
    // final mark of the load.
    void DrawGridOverRegion() const;
    // The way back ("Reset brings the chart back") in the middle of the area when neither the
    // grid nor the load nor the region reaches into it.
    void DrawWayBackWhenAway() const;

private:
    template <class Draw> void InArea(Draw&& draw) const;
    void RedrawRegionInFiveDisc() const;

    Surface& m_surface;
    const LoadAnalysis& m_analysis;
    const ResultsView& m_view;
    ChartFrame m_frame;
    std::span<const PagePoint> m_region;    // the region's loads on the page, when it is drawn
    std::optional<PageRect> m_regionBounds; // where they lie
};

} // namespace vorelin

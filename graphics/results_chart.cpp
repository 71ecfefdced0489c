#include "graphics/results_chart.h"

#include "graphics/chart_grid.h"
#include "graphics/page_layout.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace vorelin {

ResultsChart::ResultsChart(Surface& surface, const LoadAnalysis& analysis, const ResultsView& view,
                           MappedRegion& mapped)
    : m_surface(surface), m_analysis(analysis), m_view(view),
      m_frame(ResultsFrame(view.view, view.aspectRatio)) {
    if (view.drawing != ResultsDrawing::RegionChosen || !analysis.region) return;
    m_region = mapped.Map(analysis.region->loads, analysis.id, analysis.entries.Impedance, m_frame);
    m_regionBounds = mapped.Bounds();
}

template <class Draw> void ResultsChart::InArea(Draw&& draw) const {
    m_surface.SetClip(kResultsChartArea, {});
    draw();
    m_surface.ClearClip();
}

void ResultsChart::DrawRegion() const {
    InArea([&] {
        if (!m_analysis.region) return;
        FillToleranceArea(m_surface, m_analysis.region->area, m_frame, kRegionDot.colour, kResultsChartArea);
        PlotMapped(m_surface, m_region, kRegionDot);
        if (m_analysis.region->sweep.nominal.Computed())
            PlotDot(m_surface, m_analysis.region->sweep.nominal.load, m_analysis.entries.Impedance, m_frame,
                    kNominalDot);
    });
}

void ResultsChart::DrawGridAndLoad() const {
    InArea([&] {
        DrawGrid(m_surface, m_view.view, m_view.aspectRatio);
        if (m_analysis.Computed())
            PlotDot(m_surface, m_analysis.run.load, m_analysis.entries.Impedance, m_frame, m_view.mark);
    });
}

void ResultsChart::DrawGridOverRegion() const {
    const bool regionDrawn = m_analysis.region && m_analysis.region->sweep.nominal.Computed();
    InArea([&] {
        DrawGrid(m_surface, m_view.view, m_view.aspectRatio,
                 regionDrawn ? std::function<void()>([this] { RedrawRegionInFiveDisc(); })
                             : std::function<void()>());
        if (m_analysis.Computed())
            PlotDot2(m_surface, m_analysis.run.load, m_analysis.entries.Impedance, m_frame,
                     kNominalDot.radius);
    });
}

// The grid drawn over a region blanks its r = 5 disc: the region's area and loads there are drawn
// again on the blank, under the lines that follow, so that none of them is lost.
void ResultsChart::RedrawRegionInFiveDisc() const {
    const double r = static_cast<double>(m_frame.chartRadius) * static_cast<double>(m_frame.chartScale);
    const double k = static_cast<double>(m_frame.aspectRatio) * r;
    const auto shifted = [](double base, double by) { return static_cast<float>(base + by); };
    const double cx = static_cast<double>(m_frame.centreX), cy = static_cast<double>(m_frame.centreY);
    const PageRect disc{shifted(cx, k * 4 / 6), shifted(cy, -r / 6), shifted(cx, k), shifted(cy, r / 6)};
    if (!m_regionBounds || !Overlap(Inflated(*m_regionBounds, kRegionDot.radius), disc)) return;
    if (Overlap(disc, kResultsChartArea)) {
        m_surface.SetClip(
            {std::max(disc.left, kResultsChartArea.left), std::max(disc.top, kResultsChartArea.top),
             std::min(disc.right, kResultsChartArea.right), std::min(disc.bottom, kResultsChartArea.bottom)},
            {});
        FillToleranceArea(m_surface, m_analysis.region->area, m_frame, kRegionDot.colour, disc);
        m_surface.SetClip(kResultsChartArea, {});
    }
    for (const PagePoint& at : m_region) {
        if (!NearFiveDisc(m_frame, at, kRegionDot.radius)) continue;
        m_surface.SetPenWidth(1);
        m_surface.Circle(at.x, at.y, kRegionDot.radius, kRegionDot.colour);
    }
}

void ResultsChart::DrawWayBackWhenAway() const {
    const Load& load = m_analysis.run.load;
    const PagePoint at = MapLoad(load.LoadR, load.LoadX, m_analysis.entries.Impedance, m_frame);
    const bool loadShown = m_analysis.Computed() && std::isfinite(at.x) && std::isfinite(at.y) &&
                           Overlap(Inflated({at.x, at.y, at.x, at.y}, kNominalDot.radius), kResultsChartArea);
    const bool regionShown =
        m_regionBounds && Overlap(Inflated(*m_regionBounds, kRegionDot.radius), kResultsChartArea);
    if (loadShown || regionShown || GridMayReach(m_frame, ResultsGridStyle(), kPageFont, kResultsChartArea))
        return;
    m_surface.SetFont(kPageFont);
    m_surface.SetTextColour(kInkColour);
    const auto middle = [](float from, float to, double size) {
        return static_cast<float>((static_cast<double>(from) + static_cast<double>(to) - size) / 2);
    };
    m_surface.MoveTo(
        middle(kResultsChartArea.left, kResultsChartArea.right, TextWidth(kPageFont, kChartAwayText)),
        middle(kResultsChartArea.top, kResultsChartArea.bottom, TextHeight(kPageFont)));
    m_surface.Print(kChartAwayText);
}

} // namespace vorelin

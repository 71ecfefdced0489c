#include "graphics/load_marks.h"

#include "graphics/page_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace vorelin {

void PlotDot(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, DotStyle style) {
    const PagePoint at = MapLoad(load.LoadR, load.LoadX, impedance, frame, MarkProduct::RadiusScaleMagnitude);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, style.radius, style.colour);
}

std::span<const PagePoint> MappedRegion::Map(std::span<const Load> loads, std::uint64_t generation,
                                             float impedance, const ChartFrame& frame) {
    const bool sameOffsets = m_mapped && generation == m_generation && impedance == m_impedance &&
                             frame.chartRadius == m_frame.chartRadius &&
                             frame.chartScale == m_frame.chartScale &&
                             frame.aspectRatio == m_frame.aspectRatio && m_offsets.size() == loads.size();
    if (!sameOffsets) {
        m_offsets.resize(loads.size());
        const auto map = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                m_offsets[i] = MapLoadOffset(loads[i].LoadR, loads[i].LoadX, impedance, frame);
        };
        // A thread pays for itself from a few thousand mappings on.
        constexpr std::size_t kShared = 4096;
        if (loads.size() < kShared) {
            map(0, loads.size());
        } else {
            const std::size_t half = loads.size() / 2;
            std::thread second(map, half, loads.size());
            map(0, half);
            second.join();
        }
        m_anyFinite = false;
        for (const PageOffset& offset : m_offsets) {
            if (!std::isfinite(offset.across) || !std::isfinite(offset.down)) continue;
            if (!m_anyFinite) m_least = m_most = offset;
            m_anyFinite = true;
            m_least = {std::min(m_least.across, offset.across), std::min(m_least.down, offset.down)};
            m_most = {std::max(m_most.across, offset.across), std::max(m_most.down, offset.down)};
        }
        m_generation = generation;
        m_impedance = impedance;
        m_mapped = true;
    }
    m_frame = frame;
    m_points.resize(m_offsets.size());
    for (std::size_t i = 0; i < m_offsets.size(); ++i)
        m_points[i] = AtCentre(frame, m_offsets[i]);
    return m_points;
}

std::optional<PageRect> MappedRegion::Bounds() const {
    if (!m_mapped || !m_anyFinite) return std::nullopt;
    const PagePoint least = AtCentre(m_frame, m_least), most = AtCentre(m_frame, m_most);
    return PageRect{least.x, least.y, most.x, most.y};
}

void FillToleranceArea(Surface& surface, const ToleranceArea& area, const ChartFrame& frame, Colour colour,
                       const PageRect& within) {
    if (area.points.empty()) return;
    const double r = static_cast<double>(frame.chartRadius) * static_cast<double>(frame.chartScale);
    const double k = static_cast<double>(frame.aspectRatio) * r;
    std::vector<PagePoint> points;
    points.reserve(area.points.size());
    PageRect extent{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                    std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (const GammaVertex& g : area.points) {
        const PagePoint at{
            static_cast<float>(static_cast<double>(frame.centreX) + k * static_cast<double>(g.re)),
            static_cast<float>(static_cast<double>(frame.centreY) - r * static_cast<double>(g.im))};
        points.push_back(at);
        extent = {std::min(extent.left, at.x), std::min(extent.top, at.y), std::max(extent.right, at.x),
                  std::max(extent.bottom, at.y)};
    }
    if (!Overlap(extent, within)) return;
    surface.FilledRings(points, area.ringEnds, colour);
}

void PlotMapped(Surface& surface, std::span<const PagePoint> pagePoints, DotStyle style) {
    for (const PagePoint& at : pagePoints) {
        surface.SetPenWidth(1);
        surface.Circle(at.x, at.y, style.radius, style.colour);
    }
}

void PlotDot2(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, float radius) {
    const PagePoint at = MapLoad(load.LoadR, load.LoadX, impedance, frame, MarkProduct::MagnitudeRadiusScale);
    surface.SetPenWidth(6);
    surface.Circle(at.x, at.y, kFinalMarkRingRadius, kPaperColour);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, radius, kFinalMarkColour);
}

} // namespace vorelin

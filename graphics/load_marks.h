#pragma once

#include "core/networks.h"
#include "core/tolerance_area.h"
#include "graphics/chart_view.h"
#include "graphics/style.h"
#include "graphics/surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

// How a load is marked on a chart: a circle outline of this colour and radius (page units), the
// "DotColor" and "DotRadius" of the marks.
struct DotStyle {
    Colour colour;
    float radius;
};

inline constexpr DotStyle kLoadMark{kLoadMarkColour, 50};      // the load as the results page opens
inline constexpr DotStyle kRegionDot{kRegionColour, 20};       // a load of the tolerance region
inline constexpr DotStyle kNominalDot{kNominalMarkColour, 50}; // the nominal load over a region
// The final mark clears a ring of the page's white round itself.
inline constexpr float kFinalMarkRingRadius = 30;

// Marks a load on a chart normalised to `impedance`: one circle outline in `style`, pen width 1.
void PlotDot(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, DotStyle style);

// Many loads (a tolerance region) mapped onto a chart exactly as PlotDot maps each, kept between
// drawings: the offsets from the centre are worked out again only when the loads, the Z0, the
// scale or the aspect ratio change (shared out between two threads, the costly part); a pan only
// places them at the new centre. The storage is kept, so that a redraw allocates nothing once it
// has grown.
class MappedRegion {
public:
    // The loads' page points in `frame`. `generation` tells the loads apart: a new set of loads in
    // the same storage must come with a new generation.
    std::span<const PagePoint> Map(std::span<const Load> loads, std::uint64_t generation, float impedance,
                                   const ChartFrame& frame);
    // The rectangle all finite points of the last Map lie in; nothing when there are none.
    std::optional<PageRect> Bounds() const;

private:
    std::vector<PageOffset> m_offsets;
    std::vector<PagePoint> m_points;
    PageOffset m_least{}, m_most{}; // the offsets' extent
    bool m_anyFinite = false;
    ChartFrame m_frame{};
    std::uint64_t m_generation = 0;
    float m_impedance = 0;
    bool m_mapped = false;
};

// A tolerance area filled on a chart (the reflection plane's point u + jv at the centre + K u,
// R v above it); nothing of an area that lies wholly outside `within`.
void FillToleranceArea(Surface& surface, const ToleranceArea& area, const ChartFrame& frame, Colour colour,
                       const PageRect& within);

// PlotDot's circle at each of the mapped points, in order.
void PlotMapped(Surface& surface, std::span<const PagePoint> pagePoints, DotStyle style);

// The final mark of the nominal load, drawn over everything else: a white ring of radius 30 at
// pen width 6, then a red circle of `radius` at pen width 1. Leaves the pen at 1.
void PlotDot2(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, float radius);

} // namespace vorelin

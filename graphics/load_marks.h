#pragma once

#include "core/networks.h"
#include "graphics/chart_view.h"
#include "graphics/surface.h"

#include <span>
#include <vector>

namespace vorelin {

// How a load is marked on a chart: a circle outline of this colour and radius (page units), the
// "DotColor" and "DotRadius" of the marks.
struct DotStyle {
    Colour colour;
    float radius;
};

inline constexpr DotStyle kLoadMark{0xFF0000, 50};   // blue: the load as the results page opens
inline constexpr DotStyle kRegionDot{0x66CC00, 20};  // green: a load of the tolerance region
inline constexpr DotStyle kNominalDot{0x111188, 50}; // dark red: the nominal load over a region
inline constexpr Colour kFinalMarkRing = 0xFFFFFF;
inline constexpr Colour kFinalMarkRed = 0x0000FF;
inline constexpr float kFinalMarkRingRadius = 30;

// Marks a load on a chart normalised to `impedance`: one circle outline in `style`, pen width 1.
void PlotDot(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, DotStyle style);

// Marks many loads (a tolerance region) exactly as PlotDot would mark each in turn, in the same
// order: MapLoads, then PlotMapped. The mappings, the costly part, are shared out between two
// threads; `pagePoints` is scratch space kept by the caller, so that a redraw allocates nothing
// once it has grown.
void MapLoads(std::span<const Load> loads, float impedance, const ChartFrame& frame,
              std::vector<PagePoint>& pagePoints);
void PlotMapped(Surface& surface, std::span<const PagePoint> pagePoints, DotStyle style);

// The final mark of the nominal load, drawn over everything else: a white ring of radius 30 at
// pen width 6, then a red circle of `radius` at pen width 1. Leaves the pen at 1.
void PlotDot2(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, float radius);

} // namespace vorelin

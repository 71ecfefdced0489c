#pragma once

#include "core/session.h"
#include "graphics/chart_view.h"
#include "graphics/surface.h"

#include <span>
#include <vector>

namespace vorelin {

inline constexpr Colour kLoadMarkBlue = 0xFF0000; // the mark drawn when the results page loads
inline constexpr Colour kFinalMarkRing = 0xFFFFFF;
inline constexpr Colour kFinalMarkRed = 0x0000FF;
inline constexpr float kFinalMarkRingRadius = 30;

// Marks the session's load on the results page's chart: one circle outline of radius
// DotRadius in DotColor, pen width 1. Reads the session only.
void PlotDot(Surface& surface, const Session& session, const ChartView& view);

struct LoadPoint {
    float loadR;
    float loadX;
};

// Marks many loads (a tolerance region) exactly as PlotDot would mark each in turn, in the same
// order. The mappings, the costly part, are shared out between two threads; `pagePoints` is
// scratch space kept by the caller, so that a redraw allocates nothing once it has grown.
void PlotDots(Surface& surface, const Session& session, const ChartView& view,
              std::span<const LoadPoint> loads, std::vector<PagePoint>& pagePoints);

// The final mark of the nominal load, drawn over everything else: a white ring of radius 30 at
// pen width 6, then a red circle of radius DotRadius at pen width 1. Leaves the pen at 1.
void PlotDot2(Surface& surface, const Session& session, const ChartView& view);

} // namespace vorelin

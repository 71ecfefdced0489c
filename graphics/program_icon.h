#pragma once

#include "graphics/surface.h"

namespace vorelin {

// The program's icon is drawn on a square page of this many units a side.
inline constexpr float kIconSide = 1000;

// A small Smith chart on a pale sheet: the unit circle, the real axis, the r = 1 and r = 3
// circles, the x = +1 and x = -1 arcs, and a red load mark. Pen widths are for a 64-pixel icon.
void DrawProgramIcon(Surface& surface);

} // namespace vorelin

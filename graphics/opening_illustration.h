#pragma once

#include "graphics/surface.h"

namespace vorelin {

// The opening page's two illustrations.

// A transmitter, a pi-network tuner and an antenna, each on its own shaded panel between
// y 3000 and 5000, drawn in blue at pen width 2 from x = 1000.
void DrawOpeningSchematic(Surface& surface);

inline constexpr float kOpeningCentreX = 8800;
inline constexpr float kOpeningCentreY = 4000;
inline constexpr float kOpeningChartRadius = 2000;

// A small Smith chart of radius 2000 around (8800, 4000), stretched by the aspect ratio, with
// whole-number y values and no labels, then a red and black marker at (8400, 3200).
void DrawOpeningChart(Surface& surface, float aspectRatio);

} // namespace vorelin

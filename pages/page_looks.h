#pragma once

#include "core/colour.h"
#include "graphics/results_scene.h" // kPageTitleColour
#include "pages/page_window.h"

#include <QRectF>

namespace vorelin {

// What the pages have in common: the buttons that lead on or out, and the page title in blue.
inline constexpr Colour kPageButtonColour = 0xFFFFDD;
inline constexpr PageFont kPageButtonFont{"Arial", ScreenFont(0.0008), true};
inline constexpr PageFont kPageTitleFont{"Times New Roman", ScreenFont(0.002), true};
inline constexpr QRectF kPageTitlePlace{1000, 300, 10000, 500};

} // namespace vorelin

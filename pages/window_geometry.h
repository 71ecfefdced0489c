#pragma once

#include <QMargins>
#include <QRect>

namespace vorelin {

// Room for a window manager's title bar and borders while a window's own frame is not known yet
// (it is only once the window has been shown).
inline constexpr QMargins kFrameAllowance{8, 40, 8, 8};

// The largest rectangle of the page's 4:3 shape that, with `frame` around it, fits the screen's
// available area; the framed window is centred there. The size a page window opens at.
QRect LargestPageRect(const QRect& available, const QMargins& frame, double aspect = 12000.0 / 9000.0);

} // namespace vorelin

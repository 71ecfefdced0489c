#pragma once

#include "graphics/style.h"

#include <QMargins>
#include <QRect>
#include <QSize>

namespace vorelin {

// The shape of a window's page, width over height.
inline constexpr double kWindowPageAspect = kWindowPage.width / kWindowPage.height;

// Room for a window manager's title bar and borders while a window's own frame is not known yet
// (it is only once the window has been shown).
inline constexpr QMargins kFrameAllowance{8, 40, 8, 8};

// The largest rectangle of the page's 4:3 shape that, with `frame` around it, fits the screen's
// available area; the framed window is centred there. The size a page window opens at.
QRect LargestPageRect(const QRect& available, const QMargins& frame, double aspect = kWindowPageAspect);

// The smallest page a window may show: 920 x 690 pixels, where the smallest controls are still
// about 24 pixels and the smallest texts 11.
inline constexpr QSize kSmallestPage{920, 690};

// Where the help page opens: beside the entries page (the window framed as `entries`), on the
// side with more room (the right one when both have the same), as large as that room allows in
// the page's shape but never smaller than the smallest page; where the room is smaller, it
// stands at that side's screen edge over part of the entries page. The same place and size for
// the same screen and entries window, every time.
QRect HelpPageRect(const QRect& entries, const QRect& available, const QMargins& frame,
                   double aspect = kWindowPageAspect);

} // namespace vorelin

#pragma once

#include <QRect>

namespace vorelin {

// The largest rectangle of the page's 4:3 shape that fits the screen's available area, centred
// in it: the size a page window opens at.
QRect LargestPageRect(const QRect& available, double aspect = 12000.0 / 9000.0);

} // namespace vorelin

#include "pages/window_geometry.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

QRect LargestPageRect(const QRect& available, const QMargins& frame, double aspect) {
    const QRect room = available.marginsRemoved(frame);
    const double width = std::max(0.0, std::min(static_cast<double>(room.width()), room.height() * aspect));
    const double height = width / aspect;
    const int w = static_cast<int>(std::floor(width));
    const int h = static_cast<int>(std::floor(height));
    return {room.x() + (room.width() - w) / 2, room.y() + (room.height() - h) / 2, w, h};
}

} // namespace vorelin

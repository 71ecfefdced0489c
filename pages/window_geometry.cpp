#include "pages/window_geometry.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

QRect LargestPageRect(const QRect& available, double aspect) {
    const double width = std::min(static_cast<double>(available.width()), available.height() * aspect);
    const double height = width / aspect;
    const int w = static_cast<int>(std::floor(width));
    const int h = static_cast<int>(std::floor(height));
    return {available.x() + (available.width() - w) / 2, available.y() + (available.height() - h) / 2, w, h};
}

} // namespace vorelin

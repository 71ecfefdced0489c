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

QRect HelpPageRect(const QRect& entries, const QRect& available, const QMargins& frame, double aspect) {
    const int rightRoom = available.right() - entries.right();
    const int leftRoom = entries.left() - available.left();
    const bool right = rightRoom >= leftRoom;
    const QRect room = right ? QRect(QPoint(entries.right() + 1, available.top()), available.bottomRight())
                             : QRect(available.topLeft(), QPoint(entries.left() - 1, available.bottom()));
    QRect place = LargestPageRect(room, frame, aspect);
    if (place.width() >= kSmallestPage.width() && place.height() >= kSmallestPage.height()) return place;
    // Not room enough: the smallest page, framed, against that side's screen edge, centred in height.
    const int framedWidth = kSmallestPage.width() + frame.left() + frame.right();
    const int framedHeight = kSmallestPage.height() + frame.top() + frame.bottom();
    const int left = right ? available.right() + 1 - framedWidth : available.left();
    const int top = available.top() + std::max(0, (available.height() - framedHeight) / 2);
    return {left + frame.left(), top + frame.top(), kSmallestPage.width(), kSmallestPage.height()};
}

} // namespace vorelin

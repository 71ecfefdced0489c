#include "graphics/page_layout.h"

#include "graphics/text_metrics.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

bool Overlap(const PageRect& a, const PageRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

PageRect Inflated(const PageRect& rect, float by) {
    return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

bool ExtentOf(const DisplayList& list, const Primitive& p, float stroke, PageRect& extent) {
    switch (p.op) {
    case Op::Line:
    case Op::Continue:
        extent = Inflated({std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::max(p.x1, p.x2), std::max(p.y1, p.y2)},
                          stroke);
        return true;
    case Op::Arc:
    case Op::Circle:
        extent = Inflated({p.centreX - p.radius, p.centreY - p.radius, p.centreX + p.radius, p.centreY + p.radius},
                          stroke);
        return true;
    case Op::FilledBox:
    case Op::BoxOutline:
        extent = {std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::max(p.x1, p.x2), std::max(p.y1, p.y2)};
        return true;
    case Op::Text: {
        const Font& font = list.FontOf(p);
        extent = {p.x1, p.y1, static_cast<float>(static_cast<double>(p.x1) + TextWidth(font, list.TextOf(p))),
                  static_cast<float>(static_cast<double>(p.y1) + TextHeight(font))};
        return true;
    }
    case Op::Point:
    case Op::Clip:
        return false;
    }
    return false;
}

void FreeRoom::TakeAll(const DisplayList& list, float stroke) {
    PageRect extent{};
    for (const Primitive& p : list.Primitives()) {
        if (ExtentOf(list, p, stroke, extent)) Take(extent);
    }
}

bool FreeRoom::IsFree(const PageRect& rect) const {
    const PageRect kept = Inflated(rect, m_gap);
    return std::none_of(m_taken.begin(), m_taken.end(), [&kept](const PageRect& t) { return Overlap(kept, t); });
}

PageRect FreeRoom::Nearest(const PageRect& wanted, const PageRect& bounds, float step, float reach) const {
    if (IsFree(wanted)) return wanted;
    const auto inside = [&bounds](const PageRect& r) {
        return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right && r.bottom <= bounds.bottom;
    };
    // Rings of growing distance; within a ring the nearer places first, a move along x before one
    // along y, so that a label slides beside its part before it leaves its row.
    const int steps = static_cast<int>(reach / step);
    PageRect best = wanted;
    double bestDistance = -1;
    for (int ring = 1; ring <= steps; ++ring) {
        if (bestDistance >= 0 && bestDistance <= static_cast<double>(ring - 1) * static_cast<double>(step)) break;
        for (int dy = -ring; dy <= ring; ++dy) {
            for (int dx = -ring; dx <= ring; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
                const double distance = std::hypot(dx * 1.0, dy * 1.001) * static_cast<double>(step);
                if (bestDistance >= 0 && distance >= bestDistance) continue;
                const float x = static_cast<float>(dx) * step, y = static_cast<float>(dy) * step;
                const PageRect place{wanted.left + x, wanted.top + y, wanted.right + x, wanted.bottom + y};
                if (inside(place) && IsFree(place)) {
                    best = place;
                    bestDistance = distance;
                }
            }
        }
    }
    return best;
}

PageRect TextRect(PagePoint at, std::string_view text, const Font& font) {
    return {at.x, at.y, static_cast<float>(static_cast<double>(at.x) + TextWidth(font, text)),
            static_cast<float>(static_cast<double>(at.y) + TextHeight(font))};
}

std::optional<PagePoint> TextPlacer::Place(PagePoint wanted, std::string_view text, const Font& font) {
    if (m_measuring) return std::nullopt;
    constexpr float kStep = 50, kReach = 3000;
    const PageRect place = m_room.Nearest(TextRect(wanted, text, font), m_bounds, kStep, kReach);
    m_room.Take(place);
    return PagePoint{place.left, place.top};
}

bool TextPlacer::IsFree(PagePoint at, std::string_view text, const Font& font) const {
    return m_room.IsFree(TextRect(at, text, font));
}

void TextPlacer::Take(PagePoint at, std::string_view text, const Font& font) {
    m_room.Take(TextRect(at, text, font));
}

} // namespace vorelin

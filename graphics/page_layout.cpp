#include "graphics/page_layout.h"

#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>
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
        extent = Inflated(
            {std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::max(p.x1, p.x2), std::max(p.y1, p.y2)}, stroke);
        return true;
    case Op::Arc:
    case Op::Circle:
        extent = Inflated(
            {p.centreX - p.radius, p.centreY - p.radius, p.centreX + p.radius, p.centreY + p.radius}, stroke);
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
    case Op::Rings: {
        const auto& points = list.RingsOf(p).points;
        if (points.empty()) return false;
        extent = {points[0].x, points[0].y, points[0].x, points[0].y};
        for (const PagePoint& q : points)
            extent = {std::min(extent.left, q.x), std::min(extent.top, q.y), std::max(extent.right, q.x),
                      std::max(extent.bottom, q.y)};
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

std::array<PageRect, 4> FreeRoom::SnappedClear(const PageRect& rect) const {
    const PageRect kept = Inflated(rect, m_gap);
    float top = rect.top, bottom = rect.bottom, left = rect.left, right = rect.right;
    for (const PageRect& t : m_taken) {
        if (!Overlap(kept, t)) continue;
        top = std::min(top, t.top);
        bottom = std::max(bottom, t.bottom);
        left = std::min(left, t.left);
        right = std::max(right, t.right);
    }
    // On whole page units, just clear.
    const float width = rect.right - rect.left, height = rect.bottom - rect.top;
    const float above = std::floor(top - m_gap - 0.5f - height), below = std::ceil(bottom + m_gap + 0.5f);
    const float before = std::floor(left - m_gap - 0.5f - width), after = std::ceil(right + m_gap + 0.5f);
    return {PageRect{rect.left, above, rect.right, above + height},
            PageRect{rect.left, below, rect.right, below + height},
            PageRect{before, rect.top, before + width, rect.bottom},
            PageRect{after, rect.top, after + width, rect.bottom}};
}

bool FreeRoom::IsFree(const PageRect& rect) const {
    const PageRect kept = Inflated(rect, m_gap);
    return std::none_of(m_taken.begin(), m_taken.end(),
                        [&kept](const PageRect& t) { return Overlap(kept, t); });
}

PageRect FreeRoom::Nearest(const PageRect& wanted, const PageRect& bounds, float step, float reach) const {
    const std::vector<PageRect> found = NearestAccepted(wanted, bounds, step, reach, {});
    return found.empty() ? wanted : found.front();
}

std::vector<PageRect> FreeRoom::NearestAccepted(const PageRect& wanted, const PageRect& bounds, float step,
                                                float reach,
                                                const std::function<bool(const PageRect&)>& accept,
                                                std::size_t count, float spacing, bool gridOnly) const {
    const auto inside = [&bounds](const PageRect& r) {
        return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right &&
               r.bottom <= bounds.bottom;
    };
    const auto takes = [&](const PageRect& r) { return inside(r) && IsFree(r) && (!accept || accept(r)); };
    struct Found {
        double distance;
        int order; // a move along x before one along y, then the order found
        PageRect place;
    };
    std::vector<Found> found;
    int order = 0;
    const auto consider = [&](const PageRect& place) {
        if (!takes(place)) return;
        // A move along y counts a hair farther than one along x, so that a label slides beside
        // its part before it leaves its row.
        const double distance =
            std::hypot(static_cast<double>(place.left) - static_cast<double>(wanted.left),
                       (static_cast<double>(place.top) - static_cast<double>(wanted.top)) * 1.001);
        found.push_back({distance, ++order, place});
    };
    // The nearest places found, each `spacing` from the ones before it.
    const auto nearest = [&] {
        std::ranges::sort(found, [](const Found& a, const Found& b) {
            return a.distance != b.distance ? a.distance < b.distance : a.order < b.order;
        });
        std::vector<const Found*> kept;
        for (const Found& f : found) {
            if (kept.size() == count) break;
            const auto near = [&](const Found* k) {
                return std::hypot(static_cast<double>(k->place.left - f.place.left),
                                  static_cast<double>(k->place.top - f.place.top)) <
                       static_cast<double>(spacing);
            };
            if (spacing == 0 || std::ranges::none_of(kept, near)) kept.push_back(&f);
        }
        return kept;
    };
    consider(wanted);
    // Rings of growing distance, until the places found are the nearest there are: a further ring
    // lies at least (ring - 1) steps away.
    const int steps = static_cast<int>(reach / step);
    for (int ring = 1; ring <= steps; ++ring) {
        if (found.size() >= count) {
            const auto kept = nearest();
            if (kept.size() == count &&
                kept.back()->distance <= static_cast<double>(ring - 1) * static_cast<double>(step))
                break;
        }
        for (int dy = -ring; dy <= ring; ++dy) {
            for (int dx = -ring; dx <= ring; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
                const float x = static_cast<float>(dx) * step, y = static_cast<float>(dy) * step;
                const PageRect place{wanted.left + x, wanted.top + y, wanted.right + x, wanted.bottom + y};
                if (gridOnly || IsFree(place)) {
                    consider(place);
                    continue;
                }
                // A place that is taken also stands for the places just clear of what takes it,
                // above, below, left and right: rows and gaps narrower than a step are found too.
                for (const PageRect& snapped : SnappedClear(place))
                    consider(snapped);
            }
        }
    }
    std::vector<PageRect> places;
    for (const Found* f : nearest())
        places.push_back(f->place);
    return places;
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

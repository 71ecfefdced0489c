#pragma once

#include "graphics/chart_view.h"
#include "graphics/display_list.h"
#include "graphics/surface.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vorelin {

// Where the things drawn on a page lie, so that labels can be placed where they cover nothing.

bool Overlap(const PageRect& a, const PageRect& b);
PageRect Inflated(const PageRect& rect, float by);

// The extent of a drawn primitive on the page: lines and arcs as far as their strokes reach
// (pens are device pixels; `stroke` page units stand for the widest), a text as its cell in its
// font. Points only place text and take no room: nothing for them, and for clips.
bool ExtentOf(const DisplayList& list, const Primitive& primitive, float stroke, PageRect& extent);

// The room taken on a page, and the search for free room.
class FreeRoom {
public:
    // Every rectangle taken is kept this far from the others.
    explicit FreeRoom(float gap) : m_gap(gap) {}

    void Take(const PageRect& rect) { m_taken.push_back(rect); }
    // Every primitive of a drawing.
    void TakeAll(const DisplayList& list, float stroke);

    bool IsFree(const PageRect& rect) const;
    // The free place for a rectangle of `wanted`'s size nearest to `wanted`, inside `bounds`,
    // searched on a grid of `step` page units out to `reach`; `wanted` itself when it is free or
    // when nothing nearer is.
    PageRect Nearest(const PageRect& wanted, const PageRect& bounds, float step, float reach) const;
    // The same search for free places that `accept` also takes: up to `count` of them, nearest
    // first, `wanted` itself first when it is one; with `spacing`, each at least that far from the
    // ones before it (the whole reach is searched then). A place of the grid that is taken also
    // stands for the places just clear of what takes it, unless `gridOnly`.
    std::vector<PageRect> NearestAccepted(const PageRect& wanted, const PageRect& bounds, float step,
                                          float reach, const std::function<bool(const PageRect&)>& accept,
                                          std::size_t count = 1, float spacing = 0,
                                          bool gridOnly = false) const;

    const std::vector<PageRect>& Taken() const { return m_taken; }

private:
    // The places just clear of everything a rectangle covers: above, below, left and right of it.
    std::array<PageRect, 4> SnappedClear(const PageRect& rect) const;

    float m_gap;
    std::vector<PageRect> m_taken;
};

// The cell of a text printed at a point.
PageRect TextRect(PagePoint at, std::string_view text, const Font& font);

// Texts placed one after another, each at its designed place when that is free, else at the
// nearest free place; each takes its room. One made for measuring places nothing: the drawing
// is then made without its texts, to find out where everything else lies.
class TextPlacer {
public:
    TextPlacer(FreeRoom room, PageRect bounds) : m_room(std::move(room)), m_bounds(bounds) {}
    static TextPlacer ForMeasuring() { return TextPlacer(); }

    // Where to print the text; nothing while measuring.
    std::optional<PagePoint> Place(PagePoint wanted, std::string_view text, const Font& font);
    bool IsFree(PagePoint at, std::string_view text, const Font& font) const;
    void Take(PagePoint at, std::string_view text, const Font& font);

private:
    TextPlacer() : m_room(0), m_measuring(true) {}
    FreeRoom m_room;
    PageRect m_bounds{};
    bool m_measuring = false;
};

} // namespace vorelin

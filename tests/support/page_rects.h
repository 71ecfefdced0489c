#pragma once

#include "graphics/page_layout.h"
#include "graphics/surface.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vorelin::test {

// Rectangles of a page with names, and the checks the layout tests make of them.

struct Named {
    std::string name;
    PageRect rect;
};

inline std::string Show(const PageRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The distance between two rectangles; 0 where they touch or overlap.
inline double Gap(const PageRect& a, const PageRect& b) {
    const auto d = [](float value) { return static_cast<double>(value); };
    const double dx = std::max({0.0, d(a.left) - d(b.right), d(b.left) - d(a.right)});
    const double dy = std::max({0.0, d(a.top) - d(b.bottom), d(b.top) - d(a.bottom)});
    return std::hypot(dx, dy);
}

// Every pair that overlaps, as text: the movable ones among themselves and against the fixed ones.
inline std::vector<std::string> Collisions(const std::vector<Named>& movable,
                                           const std::vector<Named>& fixed) {
    std::vector<std::string> found;
    for (std::size_t a = 0; a < movable.size(); ++a) {
        for (std::size_t b = a + 1; b < movable.size(); ++b) {
            if (Overlap(movable[a].rect, movable[b].rect))
                found.push_back(movable[a].name + " x " + movable[b].name);
        }
        for (const Named& f : fixed) {
            if (Overlap(movable[a].rect, f.rect))
                found.push_back(movable[a].name + " x " + f.name + " " + Show(f.rect));
        }
    }
    return found;
}

} // namespace vorelin::test

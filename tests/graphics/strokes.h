#pragma once

#include "graphics/display_list.h"

#include <vector>

namespace vorelin::test {

// A display list read back as the strokes it was drawn with: a Point or a Line followed by the
// continuations from its end is one stroke; every other primitive stands alone.
struct Stroke {
    Op op;
    Colour colour;
    int penWidth;
    std::vector<Primitive> primitives;

    struct Vertex {
        float x, y;
    };
    std::vector<Vertex> Vertices() const {
        std::vector<Vertex> vertices{{primitives.front().x1, primitives.front().y1}};
        if (op == Op::Line) vertices.push_back({primitives.front().x2, primitives.front().y2});
        for (std::size_t i = 1; i < primitives.size(); ++i)
            vertices.push_back({primitives[i].x2, primitives[i].y2});
        return vertices;
    }
};

inline std::vector<Stroke> StrokesOf(const DisplayList& list) {
    std::vector<Stroke> strokes;
    for (const Primitive& p : list.Primitives()) {
        const bool continues = p.op == Op::Continue && !strokes.empty() &&
                               (strokes.back().op == Op::Point || strokes.back().op == Op::Line);
        if (continues) {
            strokes.back().primitives.push_back(p);
        } else {
            strokes.push_back({p.op, p.colour, p.penWidth, {p}});
        }
    }
    return strokes;
}

// The strokes that are polylines of at least two points.
inline std::vector<Stroke> PolylinesOf(const DisplayList& list) {
    std::vector<Stroke> polylines;
    for (Stroke& stroke : StrokesOf(list)) {
        if (stroke.op == Op::Point && stroke.primitives.size() > 1) polylines.push_back(std::move(stroke));
    }
    return polylines;
}

} // namespace vorelin::test

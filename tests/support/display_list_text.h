#pragma once

#include "graphics/display_list.h"
#include "graphics/page_layout.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vorelin::test {

// A primitive as one line of text, such as "Circle 8400,3200 r50 pen3 #0000FF" (colours as
// 0xBBGGRR). Floats are written with nine significant digits and angles with seventeen, so equal
// texts mean equal bits, and a whole expected drawing reads as a short list.
inline std::string Show(const DisplayList& list, const Primitive& p) {
    const auto number = [](double value, int digits) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        return std::string(text);
    };
    const auto at = [&](float x, float y) {
        return number(static_cast<double>(x), 9) + "," + number(static_cast<double>(y), 9);
    };
    char tail[32];
    std::snprintf(tail, sizeof tail, " pen%d #%06X", p.penWidth, static_cast<unsigned>(p.colour));
    const std::string radius = " r" + number(static_cast<double>(p.radius), 9);
    switch (p.op) {
    case Op::Line:
        return "Line " + at(p.x1, p.y1) + " " + at(p.x2, p.y2) + tail;
    case Op::Continue:
        return "To " + at(p.x2, p.y2) + tail;
    case Op::Arc:
        return "Arc " + at(p.centreX, p.centreY) + radius + " " + number(p.start, 17) + ".." +
               number(p.end, 17) + tail;
    case Op::Circle:
        return "Circle " + at(p.centreX, p.centreY) + radius + tail;
    case Op::Point:
        return "Point " + at(p.x1, p.y1) + tail;
    case Op::FilledBox:
        return "Box " + at(p.x1, p.y1) + " " + at(p.x2, p.y2) + tail;
    case Op::BoxOutline:
        return "Outline " + at(p.x1, p.y1) + " " + at(p.x2, p.y2) + tail;
    case Op::Clip: {
        const auto* clip = list.ClipOf(p);
        if (clip == nullptr) return "Clip none";
        const auto rect = [&](const PageRect& r) { return at(r.left, r.top) + " " + at(r.right, r.bottom); };
        std::string text = "Clip " + rect(clip->area);
        for (const PageRect& hole : clip->holes)
            text += " -" + rect(hole);
        return text;
    }
    case Op::Rings: {
        const auto& rings = list.RingsOf(p);
        std::string text = "Rings";
        std::size_t start = 0;
        for (const std::uint32_t end : rings.ends) {
            text += " [";
            for (std::size_t i = start; i < end; ++i)
                text += (i > start ? " " : "") + at(rings.points[i].x, rings.points[i].y);
            text += "]";
            start = end;
        }
        return text + tail;
    }
    case Op::Text: {
        const Font& font = list.FontOf(p);
        return "Text '" + list.TextOf(p) + "' " + at(p.x1, p.y1) + " " + std::string(font.family) + " " +
               number(static_cast<double>(font.size), 9) + (font.bold ? " bold" : "") + tail;
    }
    }
    return "?";
}

// Show() of every primitive of a list that `keep` accepts, in drawing order.
template <class Keep> std::vector<std::string> ShowAll(const DisplayList& list, Keep keep) {
    std::vector<std::string> shown;
    for (const Primitive& p : list.Primitives()) {
        if (keep(p)) shown.push_back(Show(list, p));
    }
    return shown;
}

inline std::vector<std::string> ShowAll(const DisplayList& list) {
    return ShowAll(list, [](const Primitive&) { return true; });
}

// A short digest (FNV-1a, 32 bits, in hex) of primitives [first, end) as Show writes them, so that
// an outline line standing for many primitives still differs when any one of them does.
inline std::string RunDigest(const DisplayList& list, std::size_t first, std::size_t end) {
    std::uint32_t hash = 2166136261u;
    const auto add = [&hash](const std::string& text) {
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 16777619u;
        }
    };
    const auto& all = list.Primitives();
    for (std::size_t i = first; i < end; ++i) {
        add(Show(list, all[i]));
        if (all[i].op != Op::Rings) continue;
        const auto& rings = list.RingsOf(all[i]);
        for (const PagePoint& at : rings.points)
            add(std::to_string(at.x) + "," + std::to_string(at.y) + ";");
        for (const auto ringEnd : rings.ends)
            add(std::to_string(ringEnd) + ";");
    }
    char text[24];
    std::snprintf(text, sizeof text, " {%08X}", static_cast<unsigned>(hash));
    return text;
}

// The list as an outline to review by eye: a polyline (a point or a line and the continuations
// from its end) is one line with its point count and ends, a fan of lines from one point one line
// with its count, rings one line with their extent; each such line ends in a digest of what it
// stands for, so the first line that differs names the place of a change. Every other primitive
// is shown whole. ListText pins the exact bits.
inline std::string Outline(const DisplayList& list) {
    const auto& all = list.Primitives();
    const auto point = [](float x, float y) {
        char text[64];
        std::snprintf(text, sizeof text, "%.9g,%.9g", static_cast<double>(x), static_cast<double>(y));
        return std::string(text);
    };
    std::string text;
    for (std::size_t i = 0; i < all.size();) {
        const Primitive& p = all[i];
        std::size_t end = i + 1;
        if (p.op == Op::Point || p.op == Op::Line) {
            while (end < all.size() && all[end].op == Op::Continue && all[end].colour == p.colour)
                ++end;
        }
        if (end > i + 1) {
            text += Show(list, p) + " ...(" + std::to_string(end - i - 1) + " more) to " +
                    point(all[end - 1].x2, all[end - 1].y2) + RunDigest(list, i, end) + "\n";
        } else if (p.op == Op::Circle) {
            while (end < all.size() && all[end].op == Op::Circle && all[end].radius == p.radius &&
                   all[end].colour == p.colour && all[end].penWidth == p.penWidth)
                ++end;
            text += Show(list, p) +
                    (end > i + 1 ? " ...(" + std::to_string(end - i - 1) + " more) last at " +
                                       point(all[end - 1].centreX, all[end - 1].centreY)
                                 : std::string()) +
                    RunDigest(list, i, end) + "\n";
        } else if (p.op == Op::Line) {
            while (end < all.size() && all[end].op == Op::Line && all[end].x1 == p.x1 &&
                   all[end].y1 == p.y1 && all[end].colour == p.colour)
                ++end;
            text += end > i + 1
                        ? "Fan of " + std::to_string(end - i) + " lines from " + point(p.x1, p.y1) +
                              RunDigest(list, i, end) + "\n"
                        : Show(list, p) + "\n";
        } else if (p.op == Op::Rings) {
            const auto& rings = list.RingsOf(p);
            PageRect extent{};
            ExtentOf(list, p, 0, extent);
            text += "Rings " + std::to_string(rings.ends.size()) + " of " +
                    std::to_string(rings.points.size()) + " points within " + point(extent.left, extent.top) +
                    " " + point(extent.right, extent.bottom) + " #" +
                    Show(list, p).substr(Show(list, p).size() - 6) + RunDigest(list, i, end) + "\n";
        } else {
            text += Show(list, p) + "\n";
        }
        i = end;
    }
    return text;
}

// The whole list as text, one primitive a line.
inline std::string ListText(const DisplayList& list) {
    std::string text;
    for (const Primitive& p : list.Primitives())
        text += Show(list, p) + "\n";
    return text;
}

// Show() of every primitive of one kind.
inline std::vector<std::string> ShowAll(const DisplayList& list, Op op) {
    return ShowAll(list, [op](const Primitive& p) { return p.op == op; });
}

} // namespace vorelin::test

#include "graphics/display_list.h"

#include <algorithm>

namespace vorelin {

DisplayList::DisplayList() : m_fonts{Font{}} {}

Primitive& DisplayList::Add(Op op, Colour colour) {
    ++m_revision;
    Primitive& p = m_primitives.emplace_back();
    p = Primitive{op, m_penWidth, colour, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    return p;
}

void DisplayList::Line(float x1, float y1, float x2, float y2, Colour colour) {
    Primitive& p = Add(Op::Line, colour);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    m_currentX = x2;
    m_currentY = y2;
}

void DisplayList::ContinueTo(float x, float y, Colour colour) {
    Primitive& p = Add(Op::Continue, colour);
    p.x1 = m_currentX;
    p.y1 = m_currentY;
    p.x2 = x;
    p.y2 = y;
    m_currentX = x;
    m_currentY = y;
}

void DisplayList::Arc(float centreX, float centreY, float radius, Colour colour, double start, double end) {
    Primitive& p = Add(Op::Arc, colour);
    p.centreX = centreX;
    p.centreY = centreY;
    p.radius = radius;
    p.start = start;
    p.end = end;
}

void DisplayList::Circle(float centreX, float centreY, float radius, Colour colour) {
    Primitive& p = Add(Op::Circle, colour);
    p.centreX = centreX;
    p.centreY = centreY;
    p.radius = radius;
}

void DisplayList::Point(float x, float y, Colour colour) {
    Primitive& p = Add(Op::Point, colour);
    p.x1 = x;
    p.y1 = y;
    m_currentX = x;
    m_currentY = y;
}

void DisplayList::FilledBox(float x1, float y1, float x2, float y2, Colour colour) {
    Primitive& p = Add(Op::FilledBox, colour);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
}

void DisplayList::FilledRings(std::span<const PagePoint> points, std::span<const std::uint32_t> ringEnds,
                              Colour colour) {
    Primitive& p = Add(Op::Rings, colour);
    p.text = static_cast<std::uint32_t>(m_rings.size());
    m_rings.push_back({{points.begin(), points.end()}, {ringEnds.begin(), ringEnds.end()}});
}

void DisplayList::BoxOutline(float x1, float y1, float x2, float y2, Colour colour) {
    Primitive& p = Add(Op::BoxOutline, colour);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
}

void DisplayList::Print(std::string_view text) {
    Primitive& p = Add(Op::Text, m_textColour);
    p.x1 = m_currentX;
    p.y1 = m_currentY;
    p.text = static_cast<std::uint32_t>(m_texts.size());
    p.font = m_font;
    m_texts.emplace_back(text);
}

void DisplayList::MoveTo(float x, float y) {
    m_currentX = x;
    m_currentY = y;
}

void DisplayList::SetClip(const PageRect& area, std::span<const PageRect> holes) {
    Primitive& p = Add(Op::Clip, 0);
    p.text = static_cast<std::uint32_t>(m_clips.size());
    m_clips.push_back({area, {holes.begin(), holes.end()}});
}

void DisplayList::ClearClip() {
    Primitive& p = Add(Op::Clip, 0);
    p.text = kNoClip;
}

void DisplayList::SetFont(const Font& font) {
    const auto found = std::find(m_fonts.begin(), m_fonts.end(), font);
    m_font = static_cast<std::uint32_t>(found - m_fonts.begin());
    if (found == m_fonts.end()) m_fonts.push_back(font);
}

void DisplayList::Clear() {
    ++m_revision;
    m_primitives.clear();
    m_texts.clear();
    m_clips.clear();
    m_rings.clear();
}

} // namespace vorelin

#pragma once

#include "core/colour.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// Coordinates on a drawing surface are page units: the logical units of the page being drawn
// (12000 x 9000 for a window page, 11500 x 15200 for the printed report), x to the right and
// y downward. Pen widths are whole device pixels. Angles are radians, counter-clockwise as seen
// on the page (pi/2 points up).
// A font: its family is the name of one the program spells (a literal), so fonts are constants.
struct Font {
    std::string_view family = "Arial";
    float size = 0; // in page units: 20 page units are one point
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

inline constexpr float kPageUnitsPerPoint = 20;
// A font size given as a factor of the screen height in twips (the pages' own sizes) is
// 180000 x factor page units; a size in points is 20 page units a point.
constexpr float ScreenFontSize(double factor) { return static_cast<float>(180000 * factor); }
constexpr float PointFontSize(double points) {
    return static_cast<float>(static_cast<double>(kPageUnitsPerPoint) * points);
}

// A point of the page, in page units.
struct PagePoint {
    float x;
    float y;
};

// A rectangle of the page, in page units.
struct PageRect {
    float left, top, right, bottom;
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// The drawing operations that the chart, the schematic symbols and the report are written
// against. The surface keeps a current point: a line, a continuation and a point leave it at
// their end, MoveTo sets it, and text is printed with its top-left corner there.
class Surface {
public:
    virtual ~Surface() = default;

    // A straight line; the current point becomes (x2, y2).
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // A line from the current point to (x, y), which becomes the current point.
    virtual void ContinueTo(float x, float y, Colour colour) = 0;
    // A circular arc drawn counter-clockwise from `start` to `end`.
    virtual void Arc(float centreX, float centreY, float radius, Colour colour, double start, double end) = 0;
    virtual void Circle(float centreX, float centreY, float radius, Colour colour) = 0;
    // One pixel; the current point becomes (x, y). The pages use it to place text.
    virtual void Point(float x, float y, Colour colour) = 0;
    virtual void FilledBox(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // An area bounded by closed rings: ring i runs through points[ringEnds[i - 1]] up to (not
    // including) points[ringEnds[i]] and back to its first point. A point lies inside where the
    // rings wind round it (the nonzero rule): a hole's ring runs the other way round.
    virtual void FilledRings(std::span<const PagePoint> points, std::span<const std::uint32_t> ringEnds,
                             Colour colour) = 0;
    virtual void BoxOutline(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Text in the current font and text colour, its top-left corner at the current point.
    virtual void Print(std::string_view text) = 0;
    virtual void MoveTo(float x, float y) = 0;

    // What follows is drawn only inside `area` and outside every hole, until ClearClip.
    virtual void SetClip(const PageRect& area, std::span<const PageRect> holes) = 0;
    virtual void ClearClip() = 0;

    virtual void SetPenWidth(int pixels) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetFont(const Font& font) = 0;

    virtual const Font& CurrentFont() const = 0;
};

} // namespace vorelin

#pragma once

#include "graphics/surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorelin {

enum class Op : std::uint8_t { Line, Continue, Arc, Circle, Point, FilledBox, BoxOutline, Text, Clip, Rings };

// One recorded drawing operation, with the pen width and colour it was drawn with.
struct Primitive {
    Op op;
    int penWidth;
    Colour colour; // stroke or fill colour; the text colour for Text
    float x1,
        y1; // Line, Continue: from (Continue: the current point). Box: one corner. Point, Text: position.
    float x2, y2;                   // Line, Continue: to. Box: the other corner.
    float centreX, centreY, radius; // Arc, Circle
    double start, end;              // Arc angles
    std::uint32_t text; // Text: index into DisplayList::Texts(); Clip: into Clips() (kNoClip: none);
                        // Rings: into the rings
    std::uint32_t font; // Text: index into DisplayList::Fonts()
};

// A surface that records every primitive in order. It is a page's retained drawing: what is
// drawn stays until Clear(), and the Qt side renders the list to a device. Tests read it.
class DisplayList final : public Surface {
public:
    DisplayList();

    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void ContinueTo(float x, float y, Colour colour) override;
    void Arc(float centreX, float centreY, float radius, Colour colour, double start, double end) override;
    void Circle(float centreX, float centreY, float radius, Colour colour) override;
    void Point(float x, float y, Colour colour) override;
    void FilledBox(float x1, float y1, float x2, float y2, Colour colour) override;
    void FilledRings(std::span<const PagePoint> points, std::span<const std::uint32_t> ringEnds,
                     Colour colour) override;
    void BoxOutline(float x1, float y1, float x2, float y2, Colour colour) override;
    void Print(std::string_view text) override;
    void MoveTo(float x, float y) override;
    void SetClip(const PageRect& area, std::span<const PageRect> holes) override;
    void ClearClip() override;

    void SetPenWidth(int pixels) override { m_penWidth = pixels; }
    void SetTextColour(Colour colour) override { m_textColour = colour; }
    void SetFont(const Font& font) override;

    const Font& CurrentFont() const override { return m_fonts[m_font]; }

    // Forgets every primitive; the pen, text colour, font and current point stay as they are.
    void Clear();

    const std::vector<Primitive>& Primitives() const { return m_primitives; }
    const std::string& TextOf(const Primitive& primitive) const { return m_texts[primitive.text]; }
    const Font& FontOf(const Primitive& primitive) const { return m_fonts[primitive.font]; }

    // A clip: the area drawn in and the holes left out of it.
    struct ClipShape {
        PageRect area;
        std::vector<PageRect> holes;
    };
    static constexpr std::uint32_t kNoClip = 0xFFFFFFFFu;
    // The clip a Clip primitive sets; nullptr for the one that clears it.
    const ClipShape* ClipOf(const Primitive& primitive) const {
        return primitive.text == kNoClip ? nullptr : &m_clips[primitive.text];
    }
    // The rings of a Rings primitive: their points, and where each ring ends.
    struct RingSet {
        std::vector<PagePoint> points;
        std::vector<std::uint32_t> ends;
    };
    const RingSet& RingsOf(const Primitive& primitive) const { return m_rings[primitive.text]; }
    // Every font used so far; a Text primitive's `font` indexes this.
    const std::vector<Font>& Fonts() const { return m_fonts; }

    // Counts changes, so that a cached rendering knows when it is stale.
    std::uint64_t Revision() const { return m_revision; }

private:
    Primitive& Add(Op op, Colour colour);

    std::vector<Primitive> m_primitives;
    std::vector<std::string> m_texts;
    std::vector<ClipShape> m_clips;
    std::vector<RingSet> m_rings;
    std::vector<Font> m_fonts; // every font used so far; never shrinks, texts refer to it by index
    std::uint32_t m_font = 0;
    int m_penWidth = 1;
    Colour m_textColour = 0;
    float m_currentX = 0, m_currentY = 0;
    std::uint64_t m_revision = 0;
};

} // namespace vorelin

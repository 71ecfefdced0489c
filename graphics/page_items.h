#pragma once

#include "graphics/surface.h"

#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// What a page places besides its drawing: its labels, drawn as texts in boxes, and its controls,
// widgets the page puts where its table of places says. Both in page units.

struct PageLabel {
    std::string name; // the page's name for it: "lblReactance", "lblC1", ...
    std::string text;
    double left, top, width, height;
    Font font;
    Colour textColour = 0;
    bool filled = false; // a background in `background`, else transparent
    Colour background = 0;
    bool centred = false;
    bool wrapped = false;
};

struct ControlPlace {
    std::string_view name;
    double left, top, width, height;
    Font font;
};

// A text a scene prints as it stands, its top-left corner at `at`.
struct PlacedText {
    std::string text;
    PagePoint at;
    const Font* font;
    Colour colour;
};

// Prints each text in its font and colour, in order; the text colour is ink afterwards.
void PrintTexts(Surface& surface, std::span<const PlacedText> texts);

PageRect RectOf(const PageLabel& label);
PageRect RectOf(const ControlPlace& control);

// The label's box (when filled) and its text: centred, wrapped into its width, or from its left.
void DrawLabel(Surface& surface, const PageLabel& label);

} // namespace vorelin

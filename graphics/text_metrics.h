#pragma once

#include "graphics/surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// How much room a text takes on the page, without asking the renderer. The pages name Arial,
// MS Sans Serif and Times New Roman; the renderer draws them with their metric-compatible faces
// (Liberation Sans and Serif), whose advance widths are tabled here, so that layouts, centred
// labels and collision checks can be worked out in plain C++. Kerning only narrows a text, so a
// width from here is never less than the drawn one.

// The advance width of a UTF-8 text in a font, in page units.
double TextWidth(const Font& font, std::string_view text);
// The height of a line: from the top of the text cell to the lowest descender.
double TextHeight(const Font& font);
// The distance from one line's top to the next line's top.
double LineSpacing(const Font& font);

// The words of a text wrapped into lines no wider than `width` (a word longer than the width
// stands alone on its line). Line breaks in the text are kept; a blank line stays empty.
std::vector<std::string> WrapText(const Font& font, std::string_view text, double width);

} // namespace vorelin

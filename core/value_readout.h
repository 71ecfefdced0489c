#pragma once

#include <string>
#include <string_view>

namespace vorelin {

// What the entries page shows beside a box: the value its text reads as, and what the reading
// left aside. A user who types "4k7" or "1.11933055e-07" sees at once that the box holds 4 k or
// 1.11933, not what was meant.
enum class ValueUnit { Hertz, Ohms, Farads, Henries };

struct ValueReadout {
    std::string text;    // "= 3 pF", "= 14.2 MHz", "= 0"; empty for a box without text
    std::string warning; // empty when nothing but blanks and unit words was left aside; else what was
};

// The readout of a box's text as ParseValue reads it (UTF-8). The value is the float the box
// stores, in its unit and the part formatters' style; one they show as empty is written in
// exponent form ("= 1E-15 F"). The warning names the characters skipped and the text cut:
// "Not read: \"7\"." or "Only the first 12 characters are read; \"07\" was cut off."
ValueReadout ReadoutOf(std::string_view text, ValueUnit unit);

} // namespace vorelin

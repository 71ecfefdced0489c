#pragma once

#include <string>
#include <string_view>

namespace vorelin {

// Why bytes are not the UTF-8 text a table is read from, told as what they are, so that the user
// knows what to do: "This is UTF-16 text: save it as UTF-8." Text saved as UTF-16 or UTF-32 (with
// or without a byte-order mark), and a byte-order mark after the first one (two texts joined, or
// one saved twice), as "Line 3 holds a second byte-order mark (U+FEFF): ...". Empty for anything
// else, which the table reader then reads or refuses for what it finds.
std::string EncodingProblem(std::string_view bytes);

} // namespace vorelin

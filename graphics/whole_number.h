#pragma once

#include <cmath>

namespace vorelin {

// The nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4). Relies on
// the default rounding mode, which nothing in the program changes.
inline float RoundHalfEven(float value) { return std::nearbyint(value); }

} // namespace vorelin

#pragma once

#include <string>
#include <string_view>

namespace vorelin {

// Reads a value typed as short engineering text: "4M" -> 4e6, "47p" -> 47e-12, "4m" -> 0.004,
// "1.2e6", "7.05 M". Never fails: unknown characters are skipped, no digits read as 0, and the
// result is limited to -1e10 ... 1e10 (an overflow keeps its sign, an underflow reads as 0).
// Only the first 12 characters after trimming blanks count.
double ParseValue(std::string_view text);

// The largest magnitude ParseValue gives, and so the largest entry.
inline constexpr float kLargestEntry = 1e10f;

// Frequency and impedance boxes: 14.2e6 -> "14.2M", 50 -> "50 ", 0 -> "0.0000  ".
std::string FormatValue(float value);
// The report's generator label: 14.2e6 -> " 14.2 M", 0.5 -> " 500 m", 0 -> "0.0 ".
std::string FormatFrequency(float value);
// 47e-12 -> "47 pF", 4.7e-9 -> "4700 pF", 0.1e-6 -> "0.1 uF"; 0 and below 1e-14 -> "".
std::string FormatCapacitance(float value);
// 2.2e-6 -> "2.2 uH", 1e-6 -> "1000 nH" (the float nearest 1e-6 lies below it); below 1e-10 -> "".
std::string FormatInductance(float value);

} // namespace vorelin

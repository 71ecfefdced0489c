#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// Reads a value typed as short engineering text: "4M" -> 4e6, "47p" -> 47e-12, "4m" -> 0.004,
// "1.2e6", "7.05 M", "2.2µ" -> 2.2e-6, "50 ohms" -> 50. Never fails: unknown characters are
// skipped, no digits read as 0, and the result is limited to -1e10 ... 1e10 (an overflow keeps
// its sign, an underflow reads as 0). Only the first 12 characters after trimming blanks count.
// The entries page reads its boxes this way.
double ParseValue(std::string_view text);

// ParseValue's value with what its reading left aside.
struct PageReading {
    double value = 0;
    // The runs of characters skipped that are neither blanks nor unit words (F, H, Hz, ohm, ohms,
    // Ω): "4k7" -> {"7"}, "1.2.3" -> {"."}, "about 50" -> {"about"}, "47 pF" -> {}.
    std::vector<std::string> ignored;
    std::string cut; // what followed the first 12 characters, unread
    bool Whole() const { return ignored.empty() && cut.empty(); }
};
PageReading ReadAsEntriesPage(std::string_view text);

// The largest magnitude ParseValue gives, and so the largest entry.
inline constexpr float kLargestEntry = 1e10f;

// Frequency and impedance boxes: 14.2e6 -> "14.2M", 50 -> "50 ", 0 -> "0.0000  ".
std::string FormatValue(float value);
// The report's generator label: 14.2e6 -> " 14.2 M", 0.5 -> " 500 m", 0 -> "0.0 ".
std::string FormatFrequency(float value);
// 47e-12 -> "47 pF", 4.7e-9 -> "4700 pF", 0.1e-6 -> "0.1 uF"; 0 and below 1e-14 -> "".
std::string FormatCapacitance(float value);
// A frequency or an impedance in the style of the part formatters: 14.2e6 -> "14.2 MHz", 50 ->
// "50 Ω", 4700 -> "4.7 kΩ" (UTF-8); 0 and magnitudes below 1e-3 -> "".
std::string FormatHertz(float value);
std::string FormatOhms(float value);
// 2.2e-6 -> "2.2 uH", 1e-6 -> "1000 nH" (the float nearest 1e-6 lies below it); below 1e-10 -> "".
std::string FormatInductance(float value);

// The formatter's text when it reads back (ParseValue) to `value` itself; else the shortest text
// in its style (the same suffix letter and blanks, the digits as many as needed) that does:
// FormatValue of 3.5678e6 is "3.568M", here "3.5678M". A box that shows this text keeps the
// value the user typed. The formatter's text stays when no such text exists (beyond the reader's
// 12 characters, or a value the formatter shows as empty).
std::string FormatKeepingValue(float value, std::string (*formatter)(float));

} // namespace vorelin

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// Values that come from a file or a command line are read whole or refused: nothing is cut,
// nothing skipped. The syntax: blanks; an optional sign; digits with at most one period (at least
// one digit); optionally e or E, an optional sign and digits; blanks; optionally one multiplier
// letter as ParseValue reads them (µ and μ too); blanks; optionally one unit word (F, H, Hz, ohm,
// ohms in any case, Ω); blanks. Blanks are spaces and tabs.
struct WholeValue {
    double value = 0;
    std::string_view refusal; // empty when read; else one of the kValue... sentences below
    std::size_t at = 0;       // where the reading stopped, as a byte offset into the text

    bool Read() const { return refusal.empty(); }
};

// "150p" -> 1.5e-10, " 50 ohms " -> 50, "2.2 µH" -> 2.2e-6, "1.11933055e-07" -> 1.11933055e-07;
// "3OOp", "4k7", "1e3k", "150p;2.2u" and "" are refused. A value beyond -1e10 ... 1e10, or one
// too close to zero for a float to hold, is refused rather than changed. A text of at most 12
// characters that is read gives the value ParseValue gives, bit for bit.
WholeValue ReadWholeValue(std::string_view text);

// How a program reads the values of its files and options: whole (the default), or as the entries
// page reads its boxes (ParseValue, with its 12-character cut and its skipping).
enum class ValueReading { Whole, AsEntriesPage };

// The value by either reading; nothing when the whole reading refuses it.
std::optional<double> ReadValue(std::string_view text, ValueReading reading);

// A refusal for a message: `"3OOp" at "OOp": The value holds ...`
std::string RefusalText(std::string_view text, const WholeValue& refused);

inline constexpr std::string_view kValueEmpty = "There is no value";
inline constexpr std::string_view kValueNoDigits = "The value has no digits";
inline constexpr std::string_view kValueSecondPeriod = "The value has a second period";
inline constexpr std::string_view kValueCommaMark = "Values must use a period as the decimal mark";
inline constexpr std::string_view kValueDigitsAfterLetter =
    "Digits follow the multiplier letter; write 4.7k, not 4k7";
inline constexpr std::string_view kValueExponentAndLetter =
    "The value has both an exponent and a multiplier letter";
inline constexpr std::string_view kValueUnknownText =
    "The value holds text that is no number, multiplier letter (p n u m k M G) or unit (F, H, Hz, ohm)";
inline constexpr std::string_view kValueBeyondLimit = "The value lies outside -1e10 to 1e10";
inline constexpr std::string_view kValueTooSmall = "The value is too close to zero to be stored";

} // namespace vorelin

#pragma once

#include <string>

namespace vorelin {

// The text forms in which the program writes numbers. All of them are built on one general
// decimal text: the value rounded from its exact binary value to at most 7 significant digits
// (15 for a double; an exact tie goes to even), trailing zeros dropped, exponent form where
// C's %G would use it ("1.4E+07", "4.7E-11"), always a period, never the process locale.
// Zero, negative zero included, is written "0".
struct TextForm {
    int significantDigits = 7;
    bool signPlace = false;  // a blank in front of a value >= 0 (the minus sign otherwise)
    bool leadingZero = true; // "0.5" rather than ".5"
    bool trailingBlank = false;
};

std::string DecimalText(double value, TextForm form);

// 25.3 -> "25.3", 0.75 -> "0.75", -4 -> "-4": readout labels, the defaults file.
std::string PlainText(float value);
// 25.3 -> " 25.3", 0.75 -> " .75", -0.5 -> "-.5": aspect-ratio boxes, the results load line.
std::string SignedText(float value);
// 50 -> " 50 ", 0.5 -> " 0.5 ", -2 -> "-2 ": the last-session and network files.
std::string PrintText(float value);
std::string PrintText(double value);
// 0.5 -> " .5 ", -0.25 -> "-.25 ": the network file's header and sweep values.
std::string HeaderText(float value);
std::string HeaderText(double value);

// Removes leading and trailing blanks.
std::string Trimmed(std::string_view text);

} // namespace vorelin

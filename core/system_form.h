#pragma once

#include "core/antenna_system.h"
#include "core/strict_value.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace vorelin {

// The texts of the System page's fields as the user types them (and as the settings file keeps
// the power and the line): a power, the Qs (empty: the tuner profile's, else the defaults), and
// the line, either none, one of the cable table's by name, or a line of its own values.
struct SystemForm {
    std::string power = "100";
    std::string coilQ, capacitorQ;
    std::string line = std::string(kNoLineChoice);
    std::string length;         // metres, or feet with "ft" after the number
    std::string vf, z0, k1, k2; // the line's own values (a cable gives them otherwise)

    static constexpr std::string_view kNoLineChoice = "No line";
    static constexpr std::string_view kOwnLineChoice = "Line of these values";
    friend bool operator==(const SystemForm&, const SystemForm&) = default;
};

// The settings file's names of the fields it keeps: the power and the line.
inline constexpr std::array<std::pair<std::string_view, std::string SystemForm::*>, 7> kSystemFormSettings{{
    {"System power", &SystemForm::power},
    {"Line", &SystemForm::line},
    {"Line length", &SystemForm::length},
    {"Line VF", &SystemForm::vf},
    {"Line Z0", &SystemForm::z0},
    {"Line k1", &SystemForm::k1},
    {"Line k2", &SystemForm::k2},
}};

// A line's length in metres, read whole: a number as every value is read, then optionally "m" or
// "ft" (blanks before it allowed). "30m" is 30 metres here, never 30 milli; "98.4ft" 29.99 m.
WholeValue ReadLineLength(std::string_view text);

struct SystemFormRead {
    SystemSettings settings;
    std::string refusal; // the first field's reason, a sentence; empty when read
    bool Read() const { return refusal.empty(); }
};

// Reads the form whole or refuses it with the first field's reason ("Power: \"4k7\" at \"7\":
// Digits follow ..."; "The line's velocity factor must be ..."): every value is read whole, an
// empty Q is `base`'s, a line's empty k1 or k2 is 0, and the settings must pass
// SystemSettingsProblem. A cable's name (any letter case) gives its VF, Z0 and loss.
SystemFormRead ReadSystemForm(const SystemForm& form, const LossSettings& base);

} // namespace vorelin

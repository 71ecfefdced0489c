#pragma once

#include "core/feedline.h"

#include <span>
#include <string_view>

namespace vorelin {

// A line from the built-in table: its name as a user types it (--cable LMR-400), its velocity
// factor, characteristic impedance and matched-loss coefficients (dB per 100 m, f in MHz).
struct Cable {
    std::string_view name;
    double velocityFactor;
    double zc;
    double k1;
    double k2;
    std::string_view description; // what it is, for a list: "50-ohm coax, 0.405 in, foam"
};

// The common coax and ladder lines, in the order a list shows them.
std::span<const Cable> Cables();

// The cable of that name in any letter case ("lmr-400"); nullptr for another name.
const Cable* CableNamed(std::string_view name);

// A feedline of `lengthM` metres of the cable.
Feedline FeedlineOf(const Cable& cable, double lengthM);

} // namespace vorelin

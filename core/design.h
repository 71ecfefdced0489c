#pragma once

#include "core/entries.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vorelin {

// The load a design matches (as the results page shows it), the system impedance Z0 and the
// frequency. A design is a set of parts for which RunNetwork gives this load back.
struct DesignTarget {
    float loadR = 0;     // ohms, zero or more
    float loadX = 0;     // ohms, positive is inductive
    float impedance = 0; // Z0, ohms
    float frequency = 0; // Hz
};

// A part kept at a given value: its name as in kEntryParts ("C1" ... "L3") and its value in farads
// or henries.
struct DesignHold {
    std::string_view part;
    float value = 0;
};

// How the T and pi networks (topologies 5 to 8), which have one degree of freedom, are designed.
// A hold applies to those of them that have the held part: they keep that part at its value bit
// for bit and get the other two to match. The others are designed at the loaded Q; a part name
// outside kEntryParts gives all four the reason kReasonBadHoldPart. The L networks (1 to 4) have no
// freedom and ignore both options.
struct DesignOptions {
    // The loaded Q to design at: the larger of the Qs of the network's two L sections at its
    // internal node (|X| / R there, seen from either side). The load's own reactance is taken up
    // by the part beside it and does not count by itself. Unset: twice the least Q the network can
    // reach, but at least kLeastDefaultQ (a nearly matched load would otherwise get parts at zero).
    std::optional<double> loadedQ = {};
    std::optional<DesignHold> hold = {};
};

inline constexpr double kLeastDefaultQ = 1;

struct DesignSolution {
    // Topology, Frequency, Impedance and the topology's parts; the other parts are 0. Every part
    // value is the float the network routine reads; a held part is the held value bit for bit.
    Entries entries;
    // T and pi: the Q of DesignOptions::loadedQ, of this solution. L networks: the larger of its
    // section's Q and the load's |X| / R.
    double loadedQ = 0;
};

// One network's design: its solutions, or the reason there is none.
struct Design {
    int topology = 0;
    // Lowest loaded Q first, then the smaller part values in position order. An L network has at
    // most one solution; a T or pi network at most two.
    std::vector<DesignSolution> solutions;
    std::string_view reason; // one of the kReason texts below; empty when there are solutions
    double leastQ = 0;       // T and pi networks: the least loaded Q positive parts reach (a limit)
    double designQ = 0;      // T and pi networks designed at a loaded Q: that Q; else 0
    bool held = false;       // the hold applied to this network
};

// Every solution for `topology` (1 to 8) with all parts above zero and none at or near zero
// (a series part's reactance below 1e-3 Z0, a shunt part's susceptance below 1e-3 / Z0, or a
// value the part formatters would show as empty text) or above 1e10, the largest entry. Each one
// is checked by running the network routine on its float values: the load must come back within
// 1e-4 |load|, or the solution is not offered (and kReasonInexact tells why when none is). Bad
// input gives a reason, never a crash or a non-finite number.
// Example: topology 2 for 25 + j0 ohms at 50 ohms gives shunt C1 with 50 ohms of reactance and
// series L2 with 25 ohms.
Design DesignNetwork(int topology, const DesignTarget& target, const DesignOptions& options = {});

// Topologies 1 to 8, in order.
std::vector<Design> DesignAll(const DesignTarget& target, const DesignOptions& options = {});

// Why a network has no solution.
inline constexpr std::string_view kReasonNoTopology = "There is no network with this topology number.";
inline constexpr std::string_view kReasonBadImpedance = "The system impedance must be a number above zero.";
inline constexpr std::string_view kReasonBadFrequency = "The frequency must be a number above zero.";
inline constexpr std::string_view kReasonBadLoad =
    "The load must be given as numbers, with a resistance of zero or more.";
inline constexpr std::string_view kReasonNoResistance = "A load without resistance cannot be matched.";
inline constexpr std::string_view kReasonAlreadyMatched = "The load already equals Z0: it needs no network.";
inline constexpr std::string_view kReasonInsideRCircle =
    "The load lies inside the circle R = Z0 of the Smith chart, which this L network cannot reach.";
inline constexpr std::string_view kReasonInsideGCircle =
    "The load lies inside the circle G = 1/Z0 of the Smith chart, which this L network cannot reach.";
inline constexpr std::string_view kReasonTooCapacitive =
    "The load is too capacitive for this L network: its capacitor would have to be an inductor.";
inline constexpr std::string_view kReasonTooInductive =
    "The load is too inductive for this L network: its inductor would have to be a capacitor.";
inline constexpr std::string_view kReasonOnePart =
    "One part alone matches this load: this L network would have a part at or near zero.";
inline constexpr std::string_view kReasonBadQ = "The loaded Q must be a number above zero.";
inline constexpr std::string_view kReasonBelowLeastQ =
    "The loaded Q is below the least Q this network can reach.";
inline constexpr std::string_view kReasonPartNearZero = "A part of this network would be at or near zero.";
inline constexpr std::string_view kReasonBadHoldPart =
    "The held part must be one of C1, C2, C3, L1, L2 and L3.";
inline constexpr std::string_view kReasonBadHoldValue = "The held part's value must be a number above zero.";
inline constexpr std::string_view kReasonHeldNoMatch =
    "With the held part at this value, no setting of the other two parts matches the load.";
inline constexpr std::string_view kReasonInexact =
    "Stored as floats, the part values found miss the load by more than 1e-4 of its size.";
inline constexpr std::string_view kReasonPartTooLarge =
    "A part of this network would be larger than 1e10, the largest value an entry holds.";

} // namespace vorelin

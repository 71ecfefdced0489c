#pragma once

#include "core/entries.h"

#include <optional>
#include <string_view>

namespace vorelin {

// The first entry that keeps the network from being computed, with the box to put the focus in.
struct EntryProblem {
    std::string_view message; // "Shunt inductor must have a positive value", ...
    std::string_view field;   // "L1" ... "C3", "Frequency" or "Impedance"

    friend bool operator==(const EntryProblem&, const EntryProblem&) = default;
};

// The checks of "See results", in order: the topology's shunt inductors and series capacitors
// in position order, then the frequency, then the system impedance. Series inductors and shunt
// capacitors may be 0. A topology outside 1 to 8 skips the part checks.
std::optional<EntryProblem> CheckEntries(const Entries& entries);

} // namespace vorelin

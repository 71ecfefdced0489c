#pragma once

#include "core/entries.h"

#include <cstdint>

namespace vorelin::test {

// The six part values, in the order the entries keep them.
struct Parts {
    float c1 = 0, c2 = 0, c3 = 0, l1 = 0, l2 = 0, l3 = 0;
};

// Entries as the entries page would store them.
inline Entries MakeEntries(int topology, float frequency, float impedance, const Parts& parts = {}) {
    Entries e;
    e.Topology = static_cast<std::int16_t>(topology);
    e.Frequency = frequency;
    e.Impedance = impedance;
    e.C1 = parts.c1;
    e.C2 = parts.c2;
    e.C3 = parts.c3;
    e.L1 = parts.l1;
    e.L2 = parts.l2;
    e.L3 = parts.l3;
    return e;
}

// The typical example: a pi network (topology 7) at 14.2 MHz, 50 ohms, C1 150p, L2 2.2u, C3 300p.
// Another topology gets the parts it needs as well: L1 1.1u, C2 330p, L3 2.7u.
inline Entries TypicalExample(int topology = 7) {
    if (topology == 7) return MakeEntries(7, 14.2e6f, 50, {.c1 = 150e-12f, .c3 = 300e-12f, .l2 = 2.2e-6f});
    return MakeEntries(topology, 14.2e6f, 50, {150e-12f, 330e-12f, 300e-12f, 1.1e-6f, 2.2e-6f, 2.7e-6f});
}

// The largest tolerance region: a T network (topology 5) at 10.1 MHz, 50 ohms, L1 1.1u, C2 330p,
// L3 2.7u, at 20 % accuracy: 41^3 = 68,921 varied loads.
inline Entries LargestRegion() {
    return MakeEntries(5, 10.1e6f, 50, {.c2 = 330e-12f, .l1 = 1.1e-6f, .l3 = 2.7e-6f});
}
inline constexpr int kLargestRegionPercent = 20;

// Entries whose load cannot be computed: 10 GHz with a 10 GH series inductor overflow the steps.
inline Entries NotComputable() {
    return MakeEntries(7, 1e10f, 50, {.c1 = 150e-12f, .c3 = 300e-12f, .l2 = 1e10f});
}

} // namespace vorelin::test

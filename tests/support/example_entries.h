#pragma once

#include "core/entries.h"

namespace vorelin::test {

// The largest tolerance region: a T network (topology 5) at 10.1 MHz, 50 ohms, L1 1.1u, C2 330p,
// L3 2.7u; at 20 % accuracy 41^3 = 68,921 varied loads.
inline Entries LargestRegionEntries() {
    Entries entries;
    entries.Topology = 5;
    entries.Frequency = 10.1e6f;
    entries.Impedance = 50;
    entries.L1 = 1.1e-6f;
    entries.C2 = 330e-12f;
    entries.L3 = 2.7e-6f;
    return entries;
}

} // namespace vorelin::test

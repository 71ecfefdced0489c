#pragma once

#include "core/session.h"

#include <cstdint>
#include <string_view>

namespace vorelin::test {

// The six part values, in the order the session record keeps them.
struct Parts {
    float c1 = 0, c2 = 0, c3 = 0, l1 = 0, l2 = 0, l3 = 0;
};

// A session holding what the entries page would put into it.
inline Session Entries(int topology, float frequency, float impedance, const Parts& parts = {}) {
    Session s;
    s.Topology = static_cast<std::int16_t>(topology);
    s.Frequency = frequency;
    s.Impedance = impedance;
    s.C1 = parts.c1;
    s.C2 = parts.c2;
    s.C3 = parts.c3;
    s.L1 = parts.l1;
    s.L2 = parts.l2;
    s.L3 = parts.l3;
    return s;
}

// The typical example: a pi network (topology 7) at 14.2 MHz, 50 ohms, C1 150p, L2 2.2u, C3 300p.
// Another topology gets the parts it needs as well: L1 1.1u, C2 330p, L3 2.7u.
inline Session TypicalExample(int topology = 7) {
    if (topology == 7) return Entries(7, 14.2e6f, 50, {.c1 = 150e-12f, .c3 = 300e-12f, .l2 = 2.2e-6f});
    return Entries(topology, 14.2e6f, 50, {150e-12f, 330e-12f, 300e-12f, 1.1e-6f, 2.2e-6f, 2.7e-6f});
}

// The largest tolerance region: a T network (topology 5) at 10.1 MHz, 50 ohms, L1 1.1u, C2 330p,
// L3 2.7u, at 20 % accuracy: 41^3 = 68,921 varied loads.
inline Session LargestRegion() {
    Session s = Entries(5, 10.1e6f, 50, {.c2 = 330e-12f, .l1 = 1.1e-6f, .l3 = 2.7e-6f});
    s.Accuracy = 0.2f;
    return s;
}

// The last-session file as the program writes it for the typical example.
constexpr std::string_view kTypicalLastSessionFile = "* Vorelin last-session file\r\n"
                                                     "\r\n"
                                                     "Operating frequency:  1.42E+07 \r\n"
                                                     "System impedance:  50 \r\n"
                                                     "Network topology:  7 \r\n"
                                                     "\r\n"
                                                     "C1:  1.5E-10 \r\n"
                                                     "C2:  0 \r\n"
                                                     "C3:  3E-10 \r\n"
                                                     "L1:  0 \r\n"
                                                     "L2:  2.2E-06 \r\n"
                                                     "L3:  0 \r\n"
                                                     "\r\n";

} // namespace vorelin::test

#pragma once

#include "core/entries.h"

#include <array>
#include <span>
#include <string_view>

namespace vorelin {

enum class PartKind { Capacitor, Inductor };
enum class Placement { Series, Shunt };

// One part of a tuner network: its name on the pages ("L1"), where its value lives in the
// entries, and how it sits in the network.
struct PartSlot {
    std::string_view name;
    float Entries::*value;
    PartKind kind;
    Placement placement;
};

constexpr int kFirstTopology = 1;
constexpr int kLastTopology = 8;
constexpr int kTopologyCount = kLastTopology - kFirstTopology + 1;

constexpr bool IsKnownTopology(int topology) {
    return topology >= kFirstTopology && topology <= kLastTopology;
}

// The parts of a topology in position order, transmitter side first; empty outside 1 to 8.
// 1: series L1, shunt C2      2: shunt C1, series L2      3: shunt L1, series C2
// 4: series C1, shunt L2      5: T of L1, C2, L3          6: T of C1, L2, C3
// 7: pi of C1, L2, C3         8: pi of L1, C2, L3
std::span<const PartSlot> PartsOf(int topology);

// A T or a pi network (5 to 8): three parts, so a middle node and two ways to match a load.
bool IsTOrPi(int topology);

// "L network" for 1 to 4, "T network" for 5 and 6, "pi network" for 7 and 8; empty otherwise.
std::string_view FormOf(int topology);

// A part as the entries keep it: its name on the pages and its value field.
struct EntryPart {
    std::string_view name;
    float Entries::*value;
    PartKind kind;
};

// Every part in the order the entries keep them: C1, C2, C3, L1, L2, L3.
inline constexpr std::array<EntryPart, 6> kEntryParts{{
    {"C1", &Entries::C1, PartKind::Capacitor},
    {"C2", &Entries::C2, PartKind::Capacitor},
    {"C3", &Entries::C3, PartKind::Capacitor},
    {"L1", &Entries::L1, PartKind::Inductor},
    {"L2", &Entries::L2, PartKind::Inductor},
    {"L3", &Entries::L3, PartKind::Inductor},
}};

// The value field of a part name ("C1" ... "L3"); nullptr for any other name.
float Entries::*PartField(std::string_view name);

} // namespace vorelin

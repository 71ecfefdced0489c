#include "core/topology.h"

#include <array>

namespace vorelin {

namespace {

// A part of the entries (0 = C1 ... 5 = L3) as it sits in a network.
constexpr PartSlot Slot(std::size_t part, Placement placement) {
    const EntryPart& entry = kEntryParts[part];
    return {entry.name, entry.value, entry.kind, placement};
}

constexpr PartSlot kSeriesC1 = Slot(0, Placement::Series);
constexpr PartSlot kShuntC1 = Slot(0, Placement::Shunt);
constexpr PartSlot kSeriesC2 = Slot(1, Placement::Series);
constexpr PartSlot kShuntC2 = Slot(1, Placement::Shunt);
constexpr PartSlot kSeriesC3 = Slot(2, Placement::Series);
constexpr PartSlot kShuntC3 = Slot(2, Placement::Shunt);
constexpr PartSlot kSeriesL1 = Slot(3, Placement::Series);
constexpr PartSlot kShuntL1 = Slot(3, Placement::Shunt);
constexpr PartSlot kSeriesL2 = Slot(4, Placement::Series);
constexpr PartSlot kShuntL2 = Slot(4, Placement::Shunt);
constexpr PartSlot kSeriesL3 = Slot(5, Placement::Series);
constexpr PartSlot kShuntL3 = Slot(5, Placement::Shunt);

constexpr std::array kTopology1{kSeriesL1, kShuntC2};
constexpr std::array kTopology2{kShuntC1, kSeriesL2};
constexpr std::array kTopology3{kShuntL1, kSeriesC2};
constexpr std::array kTopology4{kSeriesC1, kShuntL2};
constexpr std::array kTopology5{kSeriesL1, kShuntC2, kSeriesL3};
constexpr std::array kTopology6{kSeriesC1, kShuntL2, kSeriesC3};
constexpr std::array kTopology7{kShuntC1, kSeriesL2, kShuntC3};
constexpr std::array kTopology8{kShuntL1, kSeriesC2, kShuntL3};

constexpr std::array<std::span<const PartSlot>, kTopologyCount> kTopologies{
    kTopology1, kTopology2, kTopology3, kTopology4, kTopology5, kTopology6, kTopology7, kTopology8};

} // namespace

std::span<const PartSlot> PartsOf(int topology) {
    if (!IsKnownTopology(topology)) return {};
    return kTopologies[static_cast<std::size_t>(topology - kFirstTopology)];
}

bool IsTOrPi(int topology) { return PartsOf(topology).size() == 3; }

std::string_view FormOf(int topology) {
    if (!IsKnownTopology(topology)) return {};
    return topology <= 4 ? "L network" : topology <= 6 ? "T network" : "pi network";
}

float Entries::*PartField(std::string_view name) {
    for (const EntryPart& part : kEntryParts) {
        if (part.name == name) return part.value;
    }
    return nullptr;
}

} // namespace vorelin

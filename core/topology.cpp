#include "core/topology.h"

#include <array>

namespace vorelin {

namespace {

constexpr PartSlot kSeriesL1{"L1", &Entries::L1, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL1{"L1", &Entries::L1, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesL2{"L2", &Entries::L2, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL2{"L2", &Entries::L2, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesL3{"L3", &Entries::L3, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL3{"L3", &Entries::L3, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesC1{"C1", &Entries::C1, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC1{"C1", &Entries::C1, PartKind::Capacitor, Placement::Shunt};
constexpr PartSlot kSeriesC2{"C2", &Entries::C2, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC2{"C2", &Entries::C2, PartKind::Capacitor, Placement::Shunt};
constexpr PartSlot kSeriesC3{"C3", &Entries::C3, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC3{"C3", &Entries::C3, PartKind::Capacitor, Placement::Shunt};

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

constexpr std::array<float Entries::*, 6> kPartFields{&Entries::C1, &Entries::C2, &Entries::C3,
                                                       &Entries::L1, &Entries::L2, &Entries::L3};

} // namespace

std::span<const PartSlot> PartsOf(int topology) {
    if (!IsKnownTopology(topology)) return {};
    return kTopologies[static_cast<std::size_t>(topology - kFirstTopology)];
}

std::string_view FormOf(int topology) {
    if (!IsKnownTopology(topology)) return {};
    return topology <= 4 ? "L network" : topology <= 6 ? "T network" : "pi network";
}

float Entries::*PartField(std::string_view name) {
    for (std::size_t i = 0; i < kPartFields.size(); ++i) {
        if (kPartNames[i] == name) return kPartFields[i];
    }
    return nullptr;
}

} // namespace vorelin

#include "core/topology.h"

#include <array>

namespace vorelin {

namespace {

constexpr PartSlot kSeriesL1{"L1", &Session::L1, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL1{"L1", &Session::L1, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesL2{"L2", &Session::L2, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL2{"L2", &Session::L2, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesL3{"L3", &Session::L3, PartKind::Inductor, Placement::Series};
constexpr PartSlot kShuntL3{"L3", &Session::L3, PartKind::Inductor, Placement::Shunt};
constexpr PartSlot kSeriesC1{"C1", &Session::C1, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC1{"C1", &Session::C1, PartKind::Capacitor, Placement::Shunt};
constexpr PartSlot kSeriesC2{"C2", &Session::C2, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC2{"C2", &Session::C2, PartKind::Capacitor, Placement::Shunt};
constexpr PartSlot kSeriesC3{"C3", &Session::C3, PartKind::Capacitor, Placement::Series};
constexpr PartSlot kShuntC3{"C3", &Session::C3, PartKind::Capacitor, Placement::Shunt};

constexpr std::array kTopology1{kSeriesL1, kShuntC2};
constexpr std::array kTopology2{kShuntC1, kSeriesL2};
constexpr std::array kTopology3{kShuntL1, kSeriesC2};
constexpr std::array kTopology4{kSeriesC1, kShuntL2};
constexpr std::array kTopology5{kSeriesL1, kShuntC2, kSeriesL3};
constexpr std::array kTopology6{kSeriesC1, kShuntL2, kSeriesC3};
constexpr std::array kTopology7{kShuntC1, kSeriesL2, kShuntC3};
constexpr std::array kTopology8{kShuntL1, kSeriesC2, kShuntL3};

} // namespace

std::span<const PartSlot> PartsOf(int topology) {
    switch (topology) {
    case 1:
        return kTopology1;
    case 2:
        return kTopology2;
    case 3:
        return kTopology3;
    case 4:
        return kTopology4;
    case 5:
        return kTopology5;
    case 6:
        return kTopology6;
    case 7:
        return kTopology7;
    case 8:
        return kTopology8;
    default:
        return {};
    }
}

} // namespace vorelin

#pragma once

#include <array>
#include <string_view>

namespace vorelin {

// The amateur bands from 160 m to 6 m, each as far as all three ITU regions allot it (the part
// every region has), in hertz.
struct AmateurBand {
    std::string_view name;
    double lowHz;
    double highHz;
};

inline constexpr std::array<AmateurBand, 11> kAmateurBands{{
    {"160 m", 1.810e6, 2.000e6},  // Region 1 from 1.810, Regions 2 and 3 from 1.800
    {"80 m", 3.500e6, 3.800e6},   // Region 2 to 4.000, Region 3 to 3.900
    {"60 m", 5.3515e6, 5.3665e6}, // the allocation every region shares since WRC-15
    {"40 m", 7.000e6, 7.200e6},   // Region 2 to 7.300
    {"30 m", 10.100e6, 10.150e6},
    {"20 m", 14.000e6, 14.350e6},
    {"17 m", 18.068e6, 18.168e6},
    {"15 m", 21.000e6, 21.450e6},
    {"12 m", 24.890e6, 24.990e6},
    {"10 m", 28.000e6, 29.700e6},
    {"6 m", 50.000e6, 52.000e6}, // Regions 2 and 3 to 54.000
}};

} // namespace vorelin

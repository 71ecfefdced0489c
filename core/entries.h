#pragma once

#include <cstdint>
#include <string_view>

namespace vorelin {

// What the user entered: the test frequency, the system impedance, the topology and the six part
// values, and the restore values that the last-session file offers the entries page.
//
// Every electrical quantity is a float in SI units (hertz, ohms, farads, henries); whatever
// computes one does so in double precision and rounds once, when it stores the result.
struct Entries {
    float Frequency = 0;          // Hz
    float Impedance = 0;          // ohms, the system impedance Z0 the chart is normalised to
    float C1 = 0, C2 = 0, C3 = 0; // farads, positions 1 (transmitter side) to 3 (load side)
    float L1 = 0, L2 = 0, L3 = 0; // henries
    std::int16_t Topology = 0;    // 1 to 8; 0 means not chosen yet

    // Restore values from the last-session file; the entries page decides whether to use them.
    float SavedFrequency = 0;
    float SavedImpedance = 0;
    std::int16_t SavedTopology = 0;

    friend bool operator==(const Entries&, const Entries&) = default;
};

// The entries used when neither memory nor the last-session file gives one: 4 MHz, 50 ohms and
// topology 1. The entries page shows the first two with these literal texts.
inline constexpr float kFallbackFrequency = 4000000;
inline constexpr std::string_view kFallbackFrequencyText = "4M";
inline constexpr float kFallbackImpedance = 50;
inline constexpr std::string_view kFallbackImpedanceText = "50";
inline constexpr std::int16_t kFallbackTopology = 1;

} // namespace vorelin

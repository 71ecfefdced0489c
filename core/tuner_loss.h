#pragma once

#include "core/entries.h"
#include "core/networks.h"
#include "core/topology.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace vorelin {

// What the tuner is asked to carry: the power delivered into its input and the Q of its parts.
inline constexpr double kDefaultPowerW = 100;
inline constexpr double kDefaultCoilQ = 200;
inline constexpr double kDefaultCapacitorQ = 1000;

struct LossSettings {
    double powerW = kDefaultPowerW;         // real power into the lossy network's own input
    double coilQ = kDefaultCoilQ;           // every inductor's Q at the frequency
    double capacitorQ = kDefaultCapacitorQ; // every capacitor's Q at the frequency

    friend bool operator==(const LossSettings&, const LossSettings&) = default;
};

// The stress on one part at the given power. Currents and voltages are RMS; a series part's
// voltage is |I| |R_loss + jX|, a shunt part's current its node voltage / (R_loss + jX).
struct PartStress {
    std::string_view name; // "C1" ... "L3"
    PartKind kind = PartKind::Capacitor;
    Placement placement = Placement::Series;
    double currentRms = 0;  // A
    double voltageRms = 0;  // V
    double voltagePeak = 0; // V, sqrt(2) x RMS
    double dissipatedW = 0; // W, |I|^2 R_loss

    friend bool operator==(const PartStress&, const PartStress&) = default;
};

inline constexpr std::size_t kMostParts = 3;

// The tuner's loss, or the reason there is none (then every figure is 0).
struct TunerLoss {
    std::string_view reason; // empty when computed; one of the kLossReason texts
    double powerW = 0;       // the power delivered into the input
    double loadPowerW = 0;   // the power that reaches the load port
    double efficiency = 0;   // loadPowerW / powerW
    double lossDb = 0;       // 10 log10(powerW / loadPowerW), zero or more
    double inputR = 0;       // the lossy network's input impedance, ohms
    double inputX = 0;
    std::array<PartStress, kMostParts> partSlots{};
    std::size_t partCount = 0;

    bool Computed() const { return reason.empty(); }
    // The topology's parts in position order, transmitter side first.
    std::span<const PartStress> Parts() const { return {partSlots.data(), partCount}; }
    friend bool operator==(const TunerLoss&, const TunerLoss&) = default;
};

// Terminates the topology's network in `load` and delivers settings.powerW into its input. Each
// part gets a series loss resistance |X| / Q; everything is computed in double from the stored
// floats. A shunt capacitor of 0 is open (no current, the node's voltage), a series coil of 0 a
// short (the line's current, no voltage). Bad input gives a reason, never an infinity or NaN.
// Example: topology 1 with L1 = 0 and C2 = 0 into 50 ohms at 100 W: efficiency 1, L1 carries
// sqrt(2) A at 0 V, C2 sees sqrt(5000) V and carries nothing.
TunerLoss TunerLossOf(const Entries& entries, const Load& load, const LossSettings& settings);

// Why the loss was not computed.
inline constexpr std::string_view kLossReasonTopology = "There is no network with this topology number.";
inline constexpr std::string_view kLossReasonFrequency = "The frequency must be a number above zero.";
inline constexpr std::string_view kLossReasonPower = "The power must be a number above zero.";
inline constexpr std::string_view kLossReasonCoilQ = "The coil Q must be a number above zero.";
inline constexpr std::string_view kLossReasonCapacitorQ = "The capacitor Q must be a number above zero.";
inline constexpr std::string_view kLossReasonLoad =
    "The load must be given as numbers, with a resistance above zero.";
inline constexpr std::string_view kLossReasonPartValue = "Every part value must be a number of zero or more.";
inline constexpr std::string_view kLossReasonNoPath =
    "A series capacitor or a shunt coil of zero leaves no path from the transmitter to the load.";
inline constexpr std::string_view kLossReasonOverflow =
    "The losses cannot be computed for values this large.";

} // namespace vorelin

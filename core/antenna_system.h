#pragma once

#include "core/entries.h"
#include "core/feedline.h"
#include "core/networks.h"
#include "core/tuner_loss.h"

#include <optional>
#include <string_view>

namespace vorelin {

// What a user sets for the antenna system: the power and the parts' Q, and the line, if any.
struct SystemSettings {
    LossSettings loss;
    std::optional<Feedline> line;

    friend bool operator==(const SystemSettings&, const SystemSettings&) = default;
};

// The whole system for one load: transmitter -> tuner -> line -> antenna.
struct SystemFigures {
    // A bad input (power, Q, the line's values, the load, the entries): nothing else is set.
    std::string_view reason;
    TunerLoss tuner;
    // Set when a line is: its figures, or the reason it cannot deliver the load.
    std::optional<FeedlineResult> line;
    // P x tuner efficiency x line efficiency; the tuner's output without a line; empty when the
    // line cannot deliver the load.
    std::optional<double> antennaPowerW;

    bool Computed() const { return reason.empty(); }
};

// Why the settings cannot be used (a power or a Q not above zero, a bad line: the kLossReason and
// kLineReason texts); empty when they can. SystemFiguresOf gives the same reason.
std::string_view SystemSettingsProblem(const SystemSettings& settings);

// The system figures of the load the tuner's network gives for `entries` (LoadR, LoadX as the
// page shows them). The line, if set, runs from the tuner's output to the antenna.
SystemFigures SystemFiguresOf(const Entries& entries, const Load& load, const SystemSettings& settings);

} // namespace vorelin

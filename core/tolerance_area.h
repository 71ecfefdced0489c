#pragma once

#include "core/entries.h"

#include <atomic>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

// A rectangle of the reflection-coefficient plane: re from `left` to `right`, im from `bottom`
// to `top` (top > bottom).
struct GammaBox {
    float left, bottom, right, top;
    friend bool operator==(const GammaBox&, const GammaBox&) = default;
};

// The tolerance area of one load as a chart fills it: the cells of a grid laid over the area's
// extent in the reflection plane (against the chart's Z0) that some varied load falls in, each
// grid line's cells merged into runs. A sweep of up to 68,921 loads becomes a few hundred boxes,
// so that a hundred areas draw as quickly as their loads.
struct ToleranceArea {
    std::vector<GammaBox> boxes;
    friend bool operator==(const ToleranceArea&, const ToleranceArea&) = default;
};

// Cells across the larger side of an area's extent.
inline constexpr int kAreaCells = 64;
// Loads beyond this |gamma| (near R = -Z0) lie far off any chart and are left out.
inline constexpr double kLargestAreaGamma = 3;

// The area of the varied loads of SweepTolerance(entries, accuracy) against `impedance`; empty
// when no varied load lands within kLargestAreaGamma. Nothing when `stop` was set before the
// sweep ended.
std::optional<ToleranceArea> ToleranceAreaOf(const Entries& entries, float accuracy, float impedance,
                                             const std::atomic<bool>& stop);

// ToleranceAreaOf for each of many entries, shared out between two threads. The areas come in the
// order of the entries; nothing when `stop` was set before all were done.
std::optional<std::vector<ToleranceArea>> ToleranceAreasOf(std::span<const Entries> entries, float accuracy,
                                                           float impedance, const std::atomic<bool>& stop);

} // namespace vorelin

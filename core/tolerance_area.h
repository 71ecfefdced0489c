#pragma once

#include "core/entries.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

// A point of the reflection-coefficient plane.
struct GammaVertex {
    float re, im;
    friend bool operator==(const GammaVertex&, const GammaVertex&) = default;
};

// The tolerance area of one load as a chart fills it: the part of the reflection plane (against
// the chart's Z0) that the loads of every setting of the parts within the accuracy cover, as
// closed rings. Ring i runs through points[ringEnds[i - 1]] up to points[ringEnds[i]] and back to
// its first point; an outer ring runs counter-clockwise (re to the right, im up), a hole's ring
// the other way round, so the area is where the rings wind round a point.
//
// The area is worked out from the loads at the sweep's steps: between four neighbouring steps the
// loads cover the quadrilateral of theirs (the parts change smoothly in between); for three parts
// the faces of the steps' cube suffice, as every load of a setting inside it is also the load of
// one on a face. The quadrilaterals are laid on a grid of kAreaCells across the area's larger
// side, and the covered cells outlined with their corners cut, so the edge runs smooth, not in
// steps, and gaps between the steps' loads are closed.
struct ToleranceArea {
    std::vector<GammaVertex> points;
    std::vector<std::uint32_t> ringEnds;
    friend bool operator==(const ToleranceArea&, const ToleranceArea&) = default;
};

// Cells across the larger side of an area's extent.
inline constexpr int kAreaCells = 128;
// Loads beyond this |gamma| (near R = -Z0) lie far off any chart and are left out.
inline constexpr double kLargestAreaGamma = 3;

// The area of the loads of entries' parts within the accuracy (at the sweep's steps and between)
// against `impedance`; empty when no load lands within kLargestAreaGamma. Nothing when `stop` was
// set before the work ended.
std::optional<ToleranceArea> ToleranceAreaOf(const Entries& entries, float accuracy, float impedance,
                                             const std::atomic<bool>& stop);

// ToleranceAreaOf for each of many entries, shared out between two threads. The areas come in the
// order of the entries; nothing when `stop` was set before all were done.
std::optional<std::vector<ToleranceArea>> ToleranceAreasOf(std::span<const Entries> entries, float accuracy,
                                                           float impedance, const std::atomic<bool>& stop);

} // namespace vorelin

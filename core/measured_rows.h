#pragma once

#include "core/band_results.h"
#include "core/band_table.h"
#include "core/measured_sweep.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// A band table's rows beside a measured sweep, as the band page's grid and vorelin-calc --table
// --measured show them.

// A row's CompareWithMeasured at its own frequency and Z0 (or `impedance` when given: a feedpoint
// against its line's) with its load; nothing for a row whose entries were refused.
std::optional<MeasuredComparison> CompareRowWithMeasured(const BandRow& row, const std::optional<Load>& load,
                                                         const MeasuredSweep& sweep,
                                                         std::optional<float> impedance = {});

// Each row's CompareWithMeasured at its own frequency and Z0 with its load, in row order; nothing
// for a row outside the sweep or whose entries were refused.
std::vector<std::optional<MeasuredComparison>> CompareRowsWithMeasured(const BandTable& table,
                                                                       std::span<const BandResult> results,
                                                                       const MeasuredSweep& sweep);

// The measured R + jX as the grid shows a row's load: "24.1 -j61.3 Ω"; "open" for a measured
// open; "—" outside the sweep.
std::string MeasuredLoadText(const std::optional<MeasuredComparison>& comparison);
// |Gamma_tuner - Gamma_measured| to four digits: "0.0123"; "—" without one.
std::string GammaDistanceText(const std::optional<MeasuredComparison>& comparison);

} // namespace vorelin

#pragma once

#include "core/entries.h"
#include "core/load_figures.h"
#include "core/networks.h"
#include "core/tolerance_area.h"
#include "core/tolerance_ranges.h"
#include "core/tolerance_sweep.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorelin {

// The tolerance region of a load, all from one sweep: the loads the parts give within the
// accuracy, the area of the chart they cover and the smallest and largest figures over them.
struct LoadRegion {
    SweepSummary sweep;           // the combinations run, those that gave no load, the nominal run
    std::vector<Load> loads;      // every varied load that was computed, in drawing order
    ToleranceArea area;           // against the entries' impedance
    ToleranceRangeFigures ranges; // over `loads`
};

// One load as the results page, the report, the pictures and vorelin-calc show it.
struct LoadAnalysis {
    Entries entries;
    NetworkRun run;
    LoadFigures figures;
    std::optional<float> accuracy;    // the accuracy the region was asked for (0.05f for 5 %)
    std::optional<LoadRegion> region; // with an accuracy, when the entries give a load: a region
                                      // around no load would mislead
    std::uint64_t id = 0;             // no other analysis has it: a drawing may keep what it
                                      // worked out from one (0: none made yet)

    bool Computed() const { return run.Computed(); }
};

// The load of the entries and its figures; with an accuracy also its region (the sweep's loads
// on two threads, their ranges and their area).
LoadAnalysis AnalyseLoad(const Entries& entries, std::optional<float> accuracy = std::nullopt);

// The analysis without its region: what a page shows before an accuracy is chosen.
LoadAnalysis WithoutRegion(const LoadAnalysis& analysis);

// The figures' lines of a computed load (DetailLines), then with `withRanges` and a region the
// ranges' line (RangeLine); nothing for a load that could not be computed.
std::vector<std::string> FigureLines(const LoadAnalysis& analysis, bool withRanges = true);

} // namespace vorelin

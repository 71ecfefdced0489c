#pragma once

#include "core/entries.h"
#include "core/load_figures.h"
#include "core/networks.h"
#include "core/tolerance_ranges.h"
#include "core/tolerance_sweep.h"
#include "tools/json_writer.h"
#include "tools/system_output.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vorelin {

// The tolerance region of one load, from one sweep.
struct Region {
    float accuracy = 0; // 0.05f for 5 %
    SweepSummary summary;
    ToleranceRangeFigures ranges;
    std::vector<std::array<float, 2>> points; // R, X of every varied load; kept only for --points
};

// What the calculator tells about one load.
struct LoadReport {
    Entries entries;
    Load load;
    LoadFigures figures;
    std::optional<Region> region;
    bool withPoints = false;
    std::string networkFile; // the network file written, or empty
    std::optional<SystemReport> system; // with --power, a Q or a line
};

void WriteLoadJson(const LoadReport& report, std::ostream& out);
void WriteLoadText(const LoadReport& report, std::ostream& out);

// "figures": {"gamma_re": ..., ..., "q": ...}; null where a figure does not exist.
void WriteFiguresJson(JsonWriter& json, const LoadFigures& figures);

// "topology 7, pi network: shunt C1, series L2, shunt C3".
std::string NetworkDescription(int topology);

} // namespace vorelin

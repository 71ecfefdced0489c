#pragma once

#include "core/load_analysis.h"
#include "core/load_figures.h"
#include "tools/json_writer.h"
#include "tools/system_output.h"

#include <ostream>
#include <string>

namespace vorelin {

// What the calculator tells about one load: its analysis (with its region for an accuracy).
struct LoadReport {
    const LoadAnalysis& analysis;
    bool withPoints = false; // every varied load of the region too
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

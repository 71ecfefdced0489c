#pragma once

#include "core/antenna_system.h"
#include "core/band_table.h"
#include "tools/calculator_options.h"
#include "tools/json_writer.h"

#include <ostream>
#include <string_view>
#include <vector>

namespace vorelin {

// The antenna system of one load, as the calculator tells it.
struct SystemReport {
    SystemSettings settings;
    SystemFigures figures;
};

// "system": {"power_w", "coil_q", "capacitor_q", "tuner_efficiency", "tuner_loss_db", "input_r",
// "input_x", "parts": {"c1": {"current_rms", "voltage_rms", "voltage_peak", "dissipated_w"}, ...},
// "line", "antenna_power_w"}. "line" is null without a line; with one it holds the line's
// settings ("length_m", "velocity_factor", "z0", "k1", "k2"), its figures ("matched_loss_db",
// "total_loss_db", "feedpoint_r", "feedpoint_x", "feedpoint_swr") and "reason": null when it
// delivers the load, else the reason with the figures and "antenna_power_w" null. The figures
// must have been computed (a refused system exits before anything is told).
void WriteSystemJson(JsonWriter& json, const SystemReport& system);

// SystemLines: the heading after `indent` (unless `withHeading` is false: a band table tells it
// once), the others under it, two blanks further in.
void WriteSystemText(const SystemReport& system, std::ostream& out, std::string_view indent,
                     bool withHeading = true);

// With options.system, the system of every row into `systems` (in row order); false, each row whose
// load cannot have one named on `err` as "IN.csv:LINE: reason", when any cannot.
bool TableSystems(const CalcOptions& options, const BandTable& table, const std::vector<Load>& loads,
                  std::vector<SystemReport>& systems, std::ostream& err);

// --cables: one line per cable of the table, its name, VF, Z0, k1, k2 and what it is.
void WriteCables(std::ostream& out);

} // namespace vorelin

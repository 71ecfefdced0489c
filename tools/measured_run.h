#pragma once

#include "core/measured_rows.h"
#include "tools/calculator_options.h"
#include "tools/json_writer.h"

#include <optional>
#include <ostream>
#include <span>
#include <vector>

namespace vorelin {

// --measured FILE without --table: the sweep's points, each with the R + jX and Gamma it stands
// for against the file's reference. A file that is not read is told on `err` with its line and
// reason (exit 2).
int RunMeasured(const CalcOptions& options, std::ostream& out, std::ostream& err);

// The sweep of --measured, or nothing with the reason told on `err`.
std::optional<MeasuredSweep> ReadMeasuredOption(const CalcOptions& options, std::ostream& err);

// A table row's "measured": null outside the sweep, else {"load_r", "load_x", "gamma_distance"}
// (the load null for a measured open).
void WriteMeasuredRowJson(JsonWriter& json, const std::optional<MeasuredComparison>& comparison);

// "; measured 24.1 -j61.3 Ω, |Γ − Γm| 0.0123" after a row's text line ("measured —" outside the sweep).
std::string MeasuredRowText(const std::optional<MeasuredComparison>& comparison);

} // namespace vorelin

#pragma once

#include "core/band_table.h"
#include "tools/calculator_options.h"

#include <ostream>

namespace vorelin {

// --table IN.csv --predict F [--topology N]: the settings at F between the tuned rows around it
// (PredictBandRow; with --topology only that network's rows). JSON: {"prediction": {"frequency",
// "topology", "impedance", "c1" ... "l3" (null for parts the network has not), "load_r",
// "load_x", "between": [line, line], "likely_misread": null, or the flag of a neighbour}}.
// Exit 2 with the reason when F lies outside the tuned frequencies, on a row, or without two
// tuned rows of one network around it; 3 when the network has no design for the load between.
int RunTablePrediction(const CalcOptions& options, const BandTable& table, std::ostream& out,
                       std::ostream& err);

} // namespace vorelin

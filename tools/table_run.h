#pragma once

#include "tools/calculator_options.h"

#include <ostream>

namespace vorelin {

// --table: every row of a band table computed as the single-load calculator computes it. Rows that
// fail their checks or give no load are all named on `err` (file:line: reason; each value cell the
// whole reading refuses with its column, text and why) and nothing is written; otherwise the files
// asked for are written and the rows told on `out` in file order, each with its likely-misread
// flag (MisreadRows at --accuracy, 5 % when not given). With --predict, the prediction instead.
int RunTable(const CalcOptions& options, std::ostream& out, std::ostream& err);

// The accuracy of the flags: --accuracy, else 5 %.
inline int TableAccuracy(const CalcOptions& options) {
    return options.accuracyPercent > 0 ? options.accuracyPercent : 5;
}

} // namespace vorelin

#pragma once

#include "tools/calculator_options.h"

#include <ostream>

namespace vorelin {

// --table: every row of a band table computed as the single-load calculator computes it. Rows that
// fail their checks or give no load are all named on `err` (file:line: reason) and nothing is
// written; otherwise the files asked for are written and the rows told on `out` in file order.
int RunTable(const CalcOptions& options, std::ostream& out, std::ostream& err);

} // namespace vorelin

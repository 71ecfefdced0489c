#pragma once

#include "tools/calculator_options.h"

#include <ostream>

namespace vorelin {

// --design: the part values that match a load, for one network or all eight. Exit 0 when any
// network has a solution, 3 when none has (the output still gives every network's reason), 2 for
// input no network can be designed for (the reason on `err`).
int RunDesign(const CalcOptions& options, std::ostream& out, std::ostream& err);

} // namespace vorelin

#pragma once

#include "tools/calculator_options.h"

#include <ostream>

namespace vorelin {

// One load from the tuner's settings: parsed as the entries page parses them, checked as "See
// results" checks them, computed, written to the files asked for, then told on `out`.
int RunLoad(const CalcOptions& options, std::ostream& out, std::ostream& err);

} // namespace vorelin

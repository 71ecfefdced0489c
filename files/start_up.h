#pragma once

#include "core/settings.h"

namespace vorelin {

// Start-up, before the first page shows: the defaults file's three values (their defaults when
// it cannot be read). It never creates the defaults file.
void InitProgram(Settings& settings);

} // namespace vorelin

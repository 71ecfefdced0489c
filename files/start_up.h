#pragma once

#include "core/session.h"

namespace vorelin {

// Start-up, before the first page shows: Pi, the defaults file's three values (their defaults
// when it cannot be read), ProgramName "Vorelin" and VersionText "Version 2.03". It never creates
// the defaults file.
void InitProgram(Session& session);

} // namespace vorelin

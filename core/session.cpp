#include "core/session.h"

#include <cmath>

namespace vorelin {

void InitConstants(Session& session) {
    session.Pi = std::atan(1.0) * 4;
    session.ProgramName = "Vorelin";
    session.VersionText = "Version 2.03";
}

} // namespace vorelin

#include "files/start_up.h"

#include "files/defaults_file.h"

namespace vorelin {

void InitProgram(Session& session) {
    InitConstants(session);
    ReadDefaults(session);
}

} // namespace vorelin

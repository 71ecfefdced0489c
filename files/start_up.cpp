#include "files/start_up.h"

#include "files/defaults_file.h"

namespace vorelin {

void InitProgram(Settings& settings) { ReadDefaults(settings); }

} // namespace vorelin

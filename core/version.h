#pragma once

#include <string_view>

namespace vorelin {

// The program's name (window captions, message boxes, file headers) and its version text.
inline constexpr std::string_view kProgramName = "Vorelin";
inline constexpr std::string_view kVersionText = "Version 2.03";

} // namespace vorelin

#pragma once

#include <string>

namespace vorelin {

// The current local date and time in the user's usual short form (the system locale's), as
// UTF-8: "06/12/2024 19:09" or "06.12.24 19:09", as the user's settings have it.
std::string CurrentDateTimeText();

} // namespace vorelin

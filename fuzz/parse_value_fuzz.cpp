// Every text, of any length and content, parses to a number within -1e10 ... 1e10.
#include "core/engineering_value.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = vorelin::ParseValue(text);
    if (!(value >= -1e10 && value <= 1e10)) std::abort();
    return 0;
}

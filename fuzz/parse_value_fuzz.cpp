// Every text, of any length and content, parses to a number within -1e10 ... 1e10; the reading's
// report agrees with it (a text that is read whole by it reads the same again).
#include "core/engineering_value.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = vorelin::ParseValue(text);
    if (!(value >= -1e10 && value <= 1e10)) std::abort();
    const vorelin::PageReading reading = vorelin::ReadAsEntriesPage(text);
    if (std::bit_cast<std::uint64_t>(reading.value) != std::bit_cast<std::uint64_t>(value)) std::abort();
    for (const std::string& run : reading.ignored)
        if (run.empty() || text.find(run) == std::string_view::npos) std::abort();
    if (!reading.cut.empty() && !text.substr(0, text.find_last_not_of(' ') + 1).ends_with(reading.cut)) std::abort();
    return 0;
}

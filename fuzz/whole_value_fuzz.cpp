// Any text read whole gives a finite value within -1e10 ... 1e10, or a refusal with its place in
// the text; one of at most 12 characters that is read gives ParseValue's value bit for bit.
#include "core/engineering_value.h"
#include "core/strict_value.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vorelin::WholeValue whole = vorelin::ReadWholeValue(text);
    if (!whole.Read()) {
        if (whole.at > text.size() || whole.value != 0) std::abort();
        (void)vorelin::RefusalText(text, whole);
        return 0;
    }
    if (!(std::isfinite(whole.value) && std::fabs(whole.value) <= 1e10)) std::abort();
    if (whole.value != 0 && static_cast<float>(whole.value) == 0) std::abort();
    if (Characters(text) <= 12 &&
        std::bit_cast<std::uint64_t>(whole.value) != std::bit_cast<std::uint64_t>(vorelin::ParseValue(text)))
        std::abort();
    return 0;
}

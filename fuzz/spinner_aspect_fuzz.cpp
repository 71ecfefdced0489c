// Any text in the spinner's percent box gives an aspect ratio within 0.5 to 1.5.
#include "graphics/chart_view.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const float ratio = vorelin::SpinnerAspectRatio(text);
    if (!(ratio >= vorelin::kSmallestAspectRatio && ratio <= vorelin::kLargestAspectRatio)) std::abort();
    return 0;
}

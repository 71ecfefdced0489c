// Any bytes read as a defaults file give three finite values, and a failed read all three defaults.
#include "files/defaults_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vorelin::Settings session;
    const auto result = vorelin::ReadDefaultsFrom(bytes, session);
    for (const float value : {session.AspectRatio, session.DefaultsValue2, session.DefaultsValue3})
        if (!std::isfinite(value)) std::abort();
    if (result == vorelin::DefaultsRead::Defaults && (session.AspectRatio != vorelin::kDefaultAspectRatio ||
                                                      session.DefaultsValue2 != vorelin::kDefaultValue2 ||
                                                      session.DefaultsValue3 != vorelin::kDefaultValue3))
        std::abort();
    return 0;
}

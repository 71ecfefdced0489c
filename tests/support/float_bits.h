#pragma once

#include <bit>
#include <cstdint>

namespace vorelin::test {

inline std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }
inline float FromBits(std::uint32_t bits) { return std::bit_cast<float>(bits); }

} // namespace vorelin::test

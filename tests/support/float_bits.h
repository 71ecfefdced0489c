#pragma once

#include <bit>
#include <cstdint>

namespace vorelin::test {

// The bits of a float, so that a comparison is exact.
inline std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }
inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

} // namespace vorelin::test

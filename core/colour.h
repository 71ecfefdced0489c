#pragma once

#include <cstdint>

namespace vorelin {

// A colour as the program stores it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFFu); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFFu); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFFu); }

} // namespace vorelin

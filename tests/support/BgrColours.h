#pragma once

// The plain colours the tests paint with and probe for, written as the program writes colours:
// &H00BBGGRR& with blue in the high byte, so 0x0000FF is red and 0xFF0000 blue. This is how
// DrawSurface::Point reports a pixel.

#include <cstdint>

namespace tvtest::bgr {

inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kYellow = 0x00FFFF;
inline constexpr uint32_t kNavy = 0x800000;
inline constexpr uint32_t kLightGrey = 0xC0C0C0;

} // namespace tvtest::bgr

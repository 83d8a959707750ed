// The colours the tests expect, 0xRRGGBB: the six backgrounds in the dialog's order and the ink
// that is ANDed onto a background where a glyph has a dot.
#pragma once

#include <array>
#include <cstdint>

namespace vorlin::test {

inline constexpr std::array<std::uint32_t, 6> kBackgroundColours{
    0xC0C0C0,  // Gray
    0x00FFFF,  // Blue
    0xFF00FF,  // Purple
    0xFFFF00,  // Yellow
    0xFF0000,  // Red
    0xFFFFFF,  // White
};

inline constexpr std::uint32_t kInk = 0x070906;

}  // namespace vorlin::test

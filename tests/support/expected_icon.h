// The icons as they must look, drawn from the tests' own glyph tables and colours, never from the
// program's artwork: 256 colours 0xRRGGBB, row by row from the top.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/colours.h"
#include "support/glyph_tables.h"

namespace vorlin::test {

using IconColours = std::array<std::uint32_t, 16 * 16>;

// The date icon: `day` two digits at x 3 and 8, y 2, and `month` three capitals at x 1, 6 and 11,
// y 9 (a space leaves its cell blank), each glyph's dots the ink ANDed onto `background`.
inline IconColours expectedDateIcon(std::uint32_t background, std::string_view day,
                                    std::string_view month) {
  IconColours icon;
  icon.fill(background);
  auto draw = [&](const Glyph& glyph, int left, int top) {
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 4; ++x) {
        if (glyph[static_cast<unsigned>(y)][static_cast<unsigned>(x)] == '#')
          icon[static_cast<unsigned>((top + y) * 16 + left + x)] = background & kInk;
      }
    }
  };
  draw(kDigitGlyphs[static_cast<unsigned>(day[0] - '0')], 3, 2);
  draw(kDigitGlyphs[static_cast<unsigned>(day[1] - '0')], 8, 2);
  for (unsigned i = 0; i < 3; ++i) {
    if (month[i] != ' ')
      draw(kLetterGlyphs[static_cast<unsigned>(month[i] - 'A')], 1 + 5 * static_cast<int>(i), 9);
  }
  return icon;
}

// Pixel (x, y) of a strip of `glyphs` as the picture box holds it: the cells 4 pixels wide side
// by side, one column of white paper between them, each dot of a glyph the ink.
template <std::size_t N>
std::uint32_t stripPixel(const std::array<Glyph, N>& glyphs, int x, int y) {
  if (x % 5 == 4) return 0xFFFFFF;
  const Glyph& glyph = glyphs[static_cast<unsigned>(x / 5)];
  return glyph[static_cast<unsigned>(y)][static_cast<unsigned>(x % 5)] == '#' ? kInk : 0xFFFFFF;
}

// The program icon: black on yellow.
inline IconColours expectedProgramIcon() {
  IconColours icon;
  for (unsigned y = 0; y < 16; ++y) {
    for (unsigned x = 0; x < 16; ++x)
      icon[y * 16 + x] = kProgramIconRows[y][x] == '#' ? 0 : 0xFFFF00;
  }
  return icon;
}

}  // namespace vorlin::test

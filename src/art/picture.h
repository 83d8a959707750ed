// A picture of the artwork: every pixel is either ink or paper, given row by row from the top.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorlin::art {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb rgb(unsigned r, unsigned g, unsigned b) {
  return (r << 16) | (g << 8) | b;
}
constexpr unsigned red(Rgb c) {
  return (c >> 16) & 0xFF;
}
constexpr unsigned green(Rgb c) {
  return (c >> 8) & 0xFF;
}
constexpr unsigned blue(Rgb c) {
  return c & 0xFF;
}

struct Picture {
  std::uint16_t width;
  std::uint16_t height;
  const std::string_view* rows;  // `height` rows of `width` characters: '#' ink, '.' paper
  Rgb ink;
  Rgb paper;

  constexpr bool isInk(int x, int y) const { return rows[y][x] == '#'; }
  constexpr Rgb pixel(int x, int y) const { return isInk(x, y) ? ink : paper; }
};

}  // namespace vorlin::art

// The artwork the program carries: six backgrounds, the digit and letter strips, the program icon.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "art/picture.h"

namespace vorlin::art {

inline constexpr int kBackgroundCount = 6;
inline constexpr int kIconSize = 16;
inline constexpr int kGlyphWidth = 4;
inline constexpr int kGlyphHeight = 6;
inline constexpr int kGlyphPitch = 5;  // a glyph's cell starts at x = 5 × its number

inline constexpr Rgb kInk = rgb(7, 9, 6);
inline constexpr Rgb kPaper = rgb(255, 255, 255);

struct Background {
  std::string_view caption;
  std::string_view fileName;
  Rgb colour;
};

inline constexpr std::array<Background, kBackgroundCount> kBackgrounds{{
    {"Gray", "gray.ico", rgb(192, 192, 192)},
    {"Blue", "blue.ico", rgb(0, 255, 255)},
    {"Purple", "purple.ico", rgb(255, 0, 255)},
    {"Yellow", "yellow.ico", rgb(255, 255, 0)},
    {"Red", "red.ico", rgb(255, 0, 0)},
    {"White", "white.ico", rgb(255, 255, 255)},
}};

const Picture& background(int index);  // 0 to 5
const Picture& digitStrip();           // "0" to "9", 49 × 6
const Picture& letterStrip();          // "A" to "Z", 129 × 6
const Picture& programIcon();          // 16 × 16, a sample date in the glyphs on yellow

}  // namespace vorlin::art

// The icon a test expects as the graphics read it back, and what differs from the one shown.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/graphics.h"
#include "support/expected_icon.h"

namespace vorlin::test {

// The date icon as it must look (expectedDateIcon), opaque.
inline IconPixels expectedIcon(std::uint32_t background, std::string_view day,
                               std::string_view month) {
  IconPixels icon;
  icon.colour = expectedDateIcon(background, day, month);
  return icon;
}

// Pixels that differ, as "(x,y) shown want" lines; empty when the icons agree.
inline std::string differences(const IconPixels& shown, const IconPixels& want) {
  std::string out;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const unsigned at = static_cast<unsigned>(y * 16 + x);
      if (shown.colour[at] != want.colour[at] || shown.mask[at] != want.mask[at]) {
        char line[64];
        std::snprintf(line, sizeof line, "(%d,%d) %06X/%d want %06X/%d\n", x, y, shown.colour[at],
                      shown.mask[at], want.colour[at], want.mask[at]);
        out += line;
      }
    }
  }
  return out;
}

}  // namespace vorlin::test

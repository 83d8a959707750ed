// The device-independent layouts of the runtime's bitmaps, and a 16 × 16 icon read back through
// them: by the graphics service for the tests, and to enlarge the icon to the tray's size.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "art/artwork.h"
#include "base/status.h"

namespace vorlin::win32 {

// A top-down layout of `width` × `height` pixels of `bitsPerPixel` bits, with the two palette
// entries of a one-bit layout.
struct BitmapLayout {
  BITMAPINFOHEADER header;
  RGBQUAD palette[2];
  BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(this); }
};
BitmapLayout bitmapLayout(int width, int height, WORD bitsPerPixel);

// A 16 × 16 icon's pixels as GetDIBits reads them: the colour 32 bits a pixel, top row first; the
// mask one bit a pixel, the leftmost the highest bit of its byte, each row a whole 32-bit word.
struct IconBits {
  static constexpr int kSide = art::kIconSize;
  std::array<std::uint32_t, kSide * kSide> colour{};
  std::array<std::uint32_t, kSide> maskRows{};

  std::uint32_t pixel(int x, int y) const { return colour[static_cast<unsigned>(y * kSide + x)]; }
  // The mask's bit of the pixel: set where the icon shows what is under it.
  bool masked(int x, int y) const {
    const auto* row = reinterpret_cast<const std::uint8_t*>(&maskRows[static_cast<unsigned>(y)]);
    return ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
  }
};

// Reads `icon` back: kNoSuchIcon for a handle that is no icon with colour, a failure for an icon
// that is not 16 × 16 or has no mask.
Status readIconBits(HICON icon, IconBits& out);

}  // namespace vorlin::win32

// The artwork as files: 318-byte icon files for the backgrounds and the program icon, the program
// file's icon at three sizes, and uncompressed 4-bit bitmap files for the two glyph strips.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "art/picture.h"

namespace vorlin::art {

// The parts of the files, in bytes.
inline constexpr std::uint32_t kBitmapFileHeaderBytes = 14;  // "BM", size, reserved, offset
inline constexpr std::uint32_t kBitmapInfoHeaderBytes = 40;
inline constexpr std::uint32_t kPaletteBytes = 16 * 4;   // 16 colours, 4 bytes each
inline constexpr std::uint32_t kIconDirectoryBytes = 6;  // reserved, type, count
inline constexpr std::uint32_t kIconEntryBytes = 16;     // one a picture of the file
// Where a strip file's pixels begin.
inline constexpr std::uint32_t kStripPixelOffset =
    kBitmapFileHeaderBytes + kBitmapInfoHeaderBytes + kPaletteBytes;
// 72 dots an inch, as the strip files state their resolution.
inline constexpr std::uint32_t kStripPixelsPerMetre = 2834;

// A row of 4-bit pixels, and of the 1-bit mask, padded to whole 32-bit words.
constexpr std::uint32_t nibbleRowBytes(std::uint32_t width) {
  return (width + 7u) / 8u * 4u;
}
constexpr std::uint32_t maskRowBytes(std::uint32_t width) {
  return (width + 31u) / 32u * 4u;
}

// A file of one 16 × 16 icon, and the largest art file: the 129-pixel letter strip.
inline constexpr std::size_t kIconFileSize = kIconDirectoryBytes + kIconEntryBytes +
                                             kBitmapInfoHeaderBytes + kPaletteBytes +
                                             16 * (nibbleRowBytes(16) + maskRowBytes(16));
inline constexpr std::size_t kLargestArtFileSize = kStripPixelOffset + 6 * nibbleRowBytes(129);
static_assert(kIconFileSize == 318 && kLargestArtFileSize == 526);

// The standard 16-colour VGA palette of the icon files.
inline constexpr std::array<Rgb, 16> kVgaPalette{
    rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
    rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(128, 128, 128),
    rgb(192, 192, 192), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
    rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255)};

// The palette of the strip files; their pixels use entry 2 (ink) and entry 3 (paper).
inline constexpr std::array<Rgb, 16> kStripPalette{rgb(195, 223, 241), rgb(191, 211, 224),
                                                   rgb(7, 9, 6), rgb(255, 255, 255)};

struct ArtFile {
  std::array<std::uint8_t, kLargestArtFileSize> bytes{};
  std::size_t size = 0;
  std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
};

// A 16 × 16 picture whose colours are all in the VGA palette, as an icon file.
ArtFile iconFile(const Picture& picture);
// The program file's icon: the picture's image exactly as iconFile() holds it, then the picture
// enlarged by whole pixels to 32 × 32 and 48 × 48 (every pixel a 2 × 2 and a 3 × 3 block), for
// the places that show the program larger.
std::vector<std::uint8_t> iconGroupFile(const Picture& picture);
// A glyph strip as a bitmap file.
ArtFile stripFile(const Picture& strip);

}  // namespace vorlin::art

// The nine art files, byte for byte, and read back into pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "art/artwork.h"
#include "art/files.h"
#include "support/colours.h"
#include "support/glyph_tables.h"

namespace vorlin::test {
namespace {

using art::ArtFile;
using art::Rgb;

// The helpers read an ArtFile or any file held as `bytes`.
template <class File>
unsigned u16(const File& f, std::size_t at) {
  return f.bytes[at] | f.bytes[at + 1] << 8;
}
template <class File>
std::uint32_t u32(const File& f, std::size_t at) {
  return u16(f, at) | u16(f, at + 2) << 16;
}

template <class File>
Rgb paletteEntry(const File& f, std::size_t paletteAt, unsigned entry) {
  const std::size_t at = paletteAt + 4 * entry;
  EXPECT_EQ(f.bytes[at + 3], 0);
  return art::rgb(f.bytes[at + 2], f.bytes[at + 1], f.bytes[at]);
}

// 4-bit pixels, bottom row first, high nibble left, rows padded to 4 bytes.
template <class File>
Rgb pixel(const File& f, std::size_t paletteAt, std::size_t rowsAt, int width, int height, int x,
          int y) {
  const std::size_t rowBytes = static_cast<std::size_t>((width + 7) / 8 * 4);
  const std::uint8_t byte = f.bytes[rowsAt + static_cast<std::size_t>(height - 1 - y) * rowBytes +
                                    static_cast<std::size_t>(x / 2)];
  return paletteEntry(f, paletteAt, x % 2 == 0 ? byte >> 4 : byte & 0xF);
}

void expectIconLayout(const ArtFile& f) {
  ASSERT_EQ(f.size, 318u);
  const std::vector<std::uint8_t> head(f.bytes.begin(), f.bytes.begin() + 22);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{0, 0, 1, 0,  1, 0, 16, 16, 16, 0, 0,
                                             0, 0, 0, 40, 1, 0, 0,  22, 0,  0, 0}));
  EXPECT_EQ(u32(f, 22), 40u);
  EXPECT_EQ(u32(f, 26), 16u);
  EXPECT_EQ(u32(f, 30), 32u);
  EXPECT_EQ(u16(f, 34), 1u);
  EXPECT_EQ(u16(f, 36), 4u);
  EXPECT_EQ(u32(f, 38), 0u);
  EXPECT_EQ(u32(f, 42), 192u);
  for (std::size_t at = 46; at < 62; at += 4) EXPECT_EQ(u32(f, at), 0u) << at;
  const std::array<Rgb, 16> vga{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(paletteEntry(f, 62, i), vga[i]) << i;
  for (std::size_t at = 254; at < 318; ++at) EXPECT_EQ(f.bytes[at], 0) << "mask byte " << at;
}

const std::array<const char*, 6> kBackgroundFiles{"gray.ico",   "blue.ico", "purple.ico",
                                                  "yellow.ico", "red.ico",  "white.ico"};

void expectBackground(const ArtFile& f, int i) {
  const std::array<std::uint8_t, 6> bytes{0x88, 0xEE, 0xDD, 0xBB, 0x99, 0xFF};
  expectIconLayout(f);
  for (std::size_t at = 126; at < 254; ++at)
    ASSERT_EQ(f.bytes[at], bytes[static_cast<unsigned>(i)]) << i << " at " << at;
  EXPECT_EQ(pixel(f, 62, 126, 16, 16, 5, 7), kBackgroundColours[static_cast<unsigned>(i)]);
}

void expectProgramIcon(const ArtFile& f) {
  expectIconLayout(f);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool ink = kProgramIconRows[static_cast<unsigned>(y)][static_cast<unsigned>(x)] == '#';
      const Rgb expected = ink ? 0x000000u : 0xFFFF00u;
      ASSERT_EQ(pixel(f, 62, 126, 16, 16, x, y), expected) << x << "," << y;
      ASSERT_EQ(art::programIcon().pixel(x, y), expected) << "the windows' icon";
    }
  }
}

TEST(ArtFiles, Backgrounds) {
  for (int i = 0; i < 6; ++i) expectBackground(art::iconFile(art::background(i)), i);
}

TEST(ArtFiles, ProgramIcon) {
  expectProgramIcon(art::iconFile(art::programIcon()));
}

template <std::size_t N>
void expectStrip(const ArtFile& f, int width, std::size_t fileSize, std::uint32_t imageSize,
                 const std::array<Glyph, N>& glyphs) {
  ASSERT_EQ(f.size, fileSize);
  EXPECT_EQ(f.bytes[0], 'B');
  EXPECT_EQ(f.bytes[1], 'M');
  EXPECT_EQ(u32(f, 2), fileSize);
  EXPECT_EQ(u32(f, 6), 0u);
  EXPECT_EQ(u32(f, 10), 118u);
  const std::array<std::uint32_t, 9> header{
      40, static_cast<std::uint32_t>(width), 6, 0x00040001, 0, imageSize, 2834, 2834, 16};
  for (std::size_t i = 0; i < header.size(); ++i) EXPECT_EQ(u32(f, 14 + 4 * i), header[i]) << i;
  EXPECT_EQ(u32(f, 50), 16u);
  const std::array<Rgb, 4> palette{0xC3DFF1, 0xBFD3E0, 0x070906, 0xFFFFFF};
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(paletteEntry(f, 54, i), i < 4 ? palette[i] : 0u) << i;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < width; ++x) {
      const int cell = x / 5;
      const bool ink = x % 5 != 4 && glyphs[static_cast<unsigned>(cell)][static_cast<unsigned>(y)]
                                           [static_cast<unsigned>(x % 5)] == '#';
      ASSERT_EQ(pixel(f, 54, 118, width, 6, x, y), ink ? 0x070906u : 0xFFFFFFu) << x << "," << y;
    }
    for (int x = width; x % 8 != 0; ++x) EXPECT_EQ(pixel(f, 54, 118, width, 6, x, y), palette[0]);
  }
}

void expectDigitStrip(const ArtFile& f) {
  expectStrip(f, 49, 286, 168, kDigitGlyphs);
}

void expectLetterStrip(const ArtFile& f) {
  expectStrip(f, 129, 526, 408, kLetterGlyphs);
}

TEST(ArtFiles, DigitStrip) {
  expectDigitStrip(art::stripFile(art::digitStrip()));
}

TEST(ArtFiles, LetterStrip) {
  expectLetterStrip(art::stripFile(art::letterStrip()));
}

std::vector<std::uint8_t> builtFile(const std::string& name) {
  std::ifstream in(std::string(VORLIN_ART_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The files the build wrote, read back and held to the same tables.
TEST(ArtFiles, TheBuildWritesAllNine) {
  auto read = [](const std::string& name) {
    const std::vector<std::uint8_t> bytes = builtFile(name);
    ArtFile f;
    EXPECT_LE(bytes.size(), f.bytes.size()) << name;
    f.size = std::min(bytes.size(), f.bytes.size());
    std::copy_n(bytes.begin(), f.size, f.bytes.begin());
    return f;
  };
  for (int i = 0; i < 6; ++i) expectBackground(read(kBackgroundFiles[static_cast<unsigned>(i)]), i);
  expectProgramIcon(read("vorlin.ico"));
  expectDigitStrip(read("digits.bmp"));
  expectLetterStrip(read("letters.bmp"));
}

// The program file's icon: the 16 x 16 image of vorlin.ico, then the icon enlarged to 32 x 32 and
// 48 x 48, every pixel a 2 x 2 and a 3 x 3 block, the images one after the other.
TEST(ArtFiles, TheProgramFileIconAtThreeSizes) {
  const struct { std::vector<std::uint8_t> bytes; } f{builtFile("vorlin-sizes.ico")};
  const std::vector<std::uint8_t> small = builtFile("vorlin.ico");
  ASSERT_GE(f.bytes.size(), 54u + 296u);
  EXPECT_EQ(u32(f, 0), 0x00010000u);
  EXPECT_EQ(u16(f, 4), 3u);
  EXPECT_TRUE(std::equal(small.begin() + 22, small.end(), f.bytes.begin() + 54));
  std::uint32_t at = 54;
  for (unsigned factor = 1; factor <= 3; ++factor) {
    const unsigned side = 16 * factor;
    const std::size_t entry = 6 + 16 * (factor - 1);
    const std::uint32_t maskBytes = side * ((side + 31) / 32 * 4);
    const std::uint32_t size = 104 + side * ((side + 7) / 8 * 4) + maskBytes;
    EXPECT_EQ(f.bytes[entry], side);
    EXPECT_EQ(f.bytes[entry + 1], side);
    EXPECT_EQ(u32(f, entry + 8), size);
    ASSERT_EQ(u32(f, entry + 12), at) << side;
    ASSERT_LE(at + size, f.bytes.size());
    EXPECT_EQ(u32(f, at + 4), side);
    EXPECT_EQ(u32(f, at + 8), 2 * side);
    EXPECT_EQ(u32(f, at + 20), size - 104);
    for (unsigned y = 0; y < side; ++y) {
      for (unsigned x = 0; x < side; ++x) {
        const bool ink = kProgramIconRows[y / factor][x / factor] == '#';
        ASSERT_EQ(pixel(f, at + 40, at + 104, static_cast<int>(side), static_cast<int>(side),
                        static_cast<int>(x), static_cast<int>(y)),
                  ink ? 0x000000u : 0xFFFF00u)
            << side << ": " << x << "," << y;
      }
    }
    EXPECT_TRUE(std::all_of(f.bytes.begin() + at + size - maskBytes, f.bytes.begin() + at + size,
                            [](std::uint8_t b) { return b == 0; }));
    at += size;
  }
  EXPECT_EQ(f.bytes.size(), at);
}

}  // namespace
}  // namespace vorlin::test

#include "art/files.h"

namespace vorlin::art {
namespace {

class Writer {
 public:
  explicit Writer(ArtFile& file) : file_(file) {}
  void u8(unsigned v) { file_.bytes[file_.size++] = static_cast<std::uint8_t>(v); }
  void u16(unsigned v) {
    u8(v & 0xFF);
    u8(v >> 8);
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void palette(const std::array<Rgb, 16>& entries) {
    for (Rgb c : entries) {
      u8(blue(c));
      u8(green(c));
      u8(red(c));
      u8(0);
    }
  }
  // 4-bit rows, bottom row first, high nibble left, each row padded to a multiple of 4 bytes.
  void nibbleRows(const Picture& p, unsigned inkEntry, unsigned paperEntry) {
    const unsigned rowBytes = (p.width + 7u) / 8u * 4u;
    for (int y = p.height - 1; y >= 0; --y) {
      for (unsigned i = 0; i < rowBytes; ++i) {
        unsigned byte = 0;
        for (unsigned half = 0; half < 2; ++half) {
          const unsigned x = 2 * i + half;
          const unsigned entry =
              x < p.width ? (p.isInk(static_cast<int>(x), y) ? inkEntry : paperEntry) : 0;
          byte |= entry << (half == 0 ? 4 : 0);
        }
        u8(byte);
      }
    }
  }
  void bitmapInfoHeader(unsigned width, unsigned height, std::uint32_t imageSize,
                        std::uint32_t pixelsPerMetre, std::uint32_t colours) {
    u32(40);
    u32(width);
    u32(height);
    u16(1);  // planes
    u16(4);  // bits per pixel
    u32(0);  // no compression
    u32(imageSize);
    u32(pixelsPerMetre);
    u32(pixelsPerMetre);
    u32(colours);
    u32(colours);
  }

 private:
  ArtFile& file_;
};

unsigned vgaEntry(Rgb colour) {
  for (unsigned i = 0; i < kVgaPalette.size(); ++i) {
    if (kVgaPalette[i] == colour) return i;
  }
  return 0;
}

}  // namespace

ArtFile iconFile(const Picture& picture) {
  ArtFile file;
  Writer w(file);
  // Icon directory and its one entry.
  w.u16(0);
  w.u16(1);
  w.u16(1);
  w.u8(16);
  w.u8(16);
  w.u8(16);
  w.u8(0);
  w.u16(0);
  w.u16(0);
  w.u32(296);
  w.u32(22);
  // The image: header (height counts colour image and mask), palette, colour rows, mask rows.
  w.bitmapInfoHeader(16, 32, 192, 0, 0);
  w.palette(kVgaPalette);
  w.nibbleRows(picture, vgaEntry(picture.ink), vgaEntry(picture.paper));
  for (int i = 0; i < 16 * 4; ++i) w.u8(0);
  return file;
}

ArtFile stripFile(const Picture& strip) {
  const std::uint32_t rowBytes = (strip.width + 7u) / 8u * 4u;
  const std::uint32_t imageSize = rowBytes * strip.height;
  ArtFile file;
  Writer w(file);
  w.u8('B');
  w.u8('M');
  w.u32(118 + imageSize);
  w.u16(0);
  w.u16(0);
  w.u32(118);
  w.bitmapInfoHeader(strip.width, strip.height, imageSize, 2834, 16);
  w.palette(kStripPalette);
  w.nibbleRows(strip, 2, 3);
  return file;
}

}  // namespace vorlin::art

#include "art/files.h"

namespace vorlin::art {
namespace {

class Writer {
 public:
  Writer(std::uint8_t* bytes, std::size_t& size) : bytes_(bytes), size_(size) {}
  explicit Writer(ArtFile& file) : Writer(file.bytes.data(), file.size) {}
  void u8(unsigned v) { bytes_[size_++] = static_cast<std::uint8_t>(v); }
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
  // 4-bit rows, bottom row first, high nibble left, each row padded to a multiple of 4 bytes;
  // every pixel of the picture a `factor` × `factor` block.
  void nibbleRows(const Picture& p, unsigned inkEntry, unsigned paperEntry, unsigned factor = 1) {
    const unsigned width = p.width * factor;
    const unsigned rowBytes = (width + 7u) / 8u * 4u;
    for (int y = static_cast<int>(p.height * factor) - 1; y >= 0; --y) {
      for (unsigned i = 0; i < rowBytes; ++i) {
        unsigned byte = 0;
        for (unsigned half = 0; half < 2; ++half) {
          const unsigned x = 2 * i + half;
          const bool ink =
              x < width && p.isInk(static_cast<int>(x / factor), y / static_cast<int>(factor));
          const unsigned entry = x < width ? (ink ? inkEntry : paperEntry) : 0;
          byte |= entry << (half == 0 ? 4 : 0);
        }
        u8(byte);
      }
    }
  }
  void zeros(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) u8(0);
  }
  void bitmapInfoHeader(unsigned width, unsigned height, std::uint32_t imageSize,
                        std::uint32_t pixelsPerMetre, std::uint32_t colours) {
    u32(kBitmapInfoHeaderBytes);
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
  std::uint8_t* bytes_;
  std::size_t& size_;
};

unsigned vgaEntry(Rgb colour) {
  for (unsigned i = 0; i < kVgaPalette.size(); ++i) {
    if (kVgaPalette[i] == colour) return i;
  }
  return 0;
}

// An image of an icon file, `factor` times the picture's size: header (its height counts colour
// image and mask), palette, colour rows, mask rows (all clear).
struct IconImage {
  unsigned side;
  std::uint32_t colourBytes;
  std::uint32_t maskBytes;
  std::uint32_t size() const {
    return kBitmapInfoHeaderBytes + kPaletteBytes + colourBytes + maskBytes;
  }
};

IconImage iconImage(const Picture& picture, unsigned factor) {
  const unsigned side = picture.width * factor;
  return {side, nibbleRowBytes(side) * side, maskRowBytes(side) * side};
}

void writeIconImage(Writer& w, const Picture& picture, unsigned factor) {
  const IconImage image = iconImage(picture, factor);
  w.bitmapInfoHeader(image.side, 2 * image.side, image.colourBytes + image.maskBytes, 0, 0);
  w.palette(kVgaPalette);
  w.nibbleRows(picture, vgaEntry(picture.ink), vgaEntry(picture.paper), factor);
  w.zeros(image.maskBytes);
}

// Icon directory: reserved 0, type 1, the count, then one 16-byte entry an image.
void writeIconDirectory(Writer& w, std::span<const unsigned> factors, const Picture& picture) {
  w.u16(0);
  w.u16(1);
  w.u16(static_cast<unsigned>(factors.size()));
  std::uint32_t offset =
      kIconDirectoryBytes + kIconEntryBytes * static_cast<std::uint32_t>(factors.size());
  for (const unsigned factor : factors) {
    const IconImage image = iconImage(picture, factor);
    w.u8(image.side);
    w.u8(image.side);
    w.u8(16);  // colours
    w.u8(0);
    w.u16(0);  // planes and bits a pixel: left to the image's header
    w.u16(0);
    w.u32(image.size());
    w.u32(offset);
    offset += image.size();
  }
}

}  // namespace

ArtFile iconFile(const Picture& picture) {
  ArtFile file;
  Writer w(file);
  constexpr unsigned kOnlyItself[] = {1};
  writeIconDirectory(w, kOnlyItself, picture);
  writeIconImage(w, picture, 1);
  return file;
}

std::vector<std::uint8_t> iconGroupFile(const Picture& picture) {
  constexpr unsigned kFactors[] = {1, 2, 3};
  std::size_t total = kIconDirectoryBytes + kIconEntryBytes * std::size(kFactors);
  for (const unsigned factor : kFactors) total += iconImage(picture, factor).size();
  std::vector<std::uint8_t> bytes(total);
  std::size_t size = 0;
  Writer w(bytes.data(), size);
  writeIconDirectory(w, kFactors, picture);
  for (const unsigned factor : kFactors) writeIconImage(w, picture, factor);
  return bytes;
}

ArtFile stripFile(const Picture& strip) {
  const std::uint32_t imageSize = nibbleRowBytes(strip.width) * strip.height;
  ArtFile file;
  Writer w(file);
  w.u8('B');
  w.u8('M');
  w.u32(kStripPixelOffset + imageSize);
  w.u16(0);
  w.u16(0);
  w.u32(kStripPixelOffset);
  w.bitmapInfoHeader(strip.width, strip.height, imageSize, kStripPixelsPerMetre, 16);
  w.palette(kStripPalette);
  w.nibbleRows(strip, 2, 3);
  return file;
}

}  // namespace vorlin::art

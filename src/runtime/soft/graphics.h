// The software graphics stand-in: memory device contexts, colour and one-bit bitmaps, BitBlt
// with SRCCOPY and SRCAND, icons, all in memory, with counts of the objects alive.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "runtime/graphics.h"

namespace vorlin {

class SoftGraphics final : public Graphics {
 public:
  // The bitmap every new memory device context starts with: one monochrome pixel, never deleted.
  static constexpr Handle kStockBitmap = 1;
  // What a colour bitmap created without initial bits holds (the platform promises nothing);
  // a monochrome one has all its bits set.
  static constexpr art::Rgb kUndefinedPixel = 0x5A5A5A;

  Result<Handle> CreateCompatibleDC(Handle dc) override;
  Result<Handle> CreateCompatibleBitmap(Handle dc, std::int32_t width,
                                        std::int32_t height) override;
  Result<Handle> SelectObject(Handle dc, Handle object) override;
  Status BitBlt(Handle dest, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, Handle source, std::int32_t srcX, std::int32_t srcY,
                std::uint32_t rop) override;
  Result<Handle> CreateBitmap(std::int32_t width, std::int32_t height, std::uint32_t planes,
                              std::uint32_t bitsPerPixel, const void* bits) override;
  Status DeleteObject(Handle object) override;
  Status DeleteDC(Handle dc) override;
  Result<Handle> CreateIconIndirect(const IconInfo& info) override;
  Status DestroyIcon(Handle icon) override;
  Result<Handle> loadPicture(const art::Picture& picture) override;
  Status releasePicture(Handle dc) override;
  Status readIcon(Handle icon, IconPixels& out) override;
  LiveObjects liveObjects() const override;

  // The pixel at (x, y) of the bitmap selected into `dc`; 0 outside it.
  art::Rgb pixel(Handle dc, int x, int y) const;

 private:
  struct Bitmap {
    int width = 0;
    int height = 0;
    bool monochrome = false;
    std::vector<art::Rgb> pixels;
    Handle selectedInto = 0;
  };
  struct Icon {
    std::vector<art::Rgb> colour;
    std::vector<std::uint8_t> mask;
    int width = 0;
    int height = 0;
  };

  Handle newHandle() { return nextHandle_++; }
  Bitmap* bitmapOf(Handle dc);
  const Bitmap* bitmapOf(Handle dc) const;
  Handle addBitmap(int width, int height, bool monochrome);

  Handle nextHandle_ = 0x100;
  std::unordered_map<Handle, Handle> dcs_;  // device context -> selected bitmap
  std::unordered_map<Handle, Bitmap> bitmaps_;
  std::unordered_map<Handle, Icon> icons_;
  Bitmap stock_{1, 1, true, {0}, 0};
};

}  // namespace vorlin

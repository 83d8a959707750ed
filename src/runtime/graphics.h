// The graphics and icon calls the composer makes, with the platform's names and behaviour.
// A call's own result is a value the program passes on without looking at it; the status is a
// failure when the call could not be made at all (for example, it could not be bound), and for
// the releases (DeleteObject, DeleteDC, DestroyIcon) when the platform answers that it failed.
#pragma once

#include <array>
#include <cstdint>

#include "art/artwork.h"
#include "art/picture.h"
#include "base/handles.h"
#include "base/status.h"

namespace vorlin {

// Raster operations.
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kSrcAnd = 0x008800C6;

struct IconInfo {
  std::int32_t fIcon;  // -1: an icon, not a cursor
  std::uint32_t xHotspot;
  std::uint32_t yHotspot;
  Handle hbmMask;
  Handle hbmColor;
};

// Objects currently alive, as the program itself created them.
struct LiveObjects {
  std::int32_t dcs = 0;
  std::int32_t bitmaps = 0;
  std::int32_t icons = 0;
  friend constexpr bool operator==(const LiveObjects&, const LiveObjects&) = default;
};

// A 16 x 16 icon read back: colour pixels 0x00RRGGBB row by row from the top, mask bits 0 or 1.
struct IconPixels {
  static constexpr std::size_t kCount = art::kIconSize * art::kIconSize;
  std::array<art::Rgb, kCount> colour{};
  std::array<std::uint8_t, kCount> mask{};
  art::Rgb at(int x, int y) const { return colour[static_cast<unsigned>(y * art::kIconSize + x)]; }
};

class Graphics {
 public:
  virtual Result<Handle> CreateCompatibleDC(Handle dc) = 0;
  virtual Result<Handle> CreateCompatibleBitmap(Handle dc, std::int32_t width,
                                                std::int32_t height) = 0;
  virtual Result<Handle> SelectObject(Handle dc, Handle object) = 0;
  virtual Status BitBlt(Handle dest, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height, Handle source, std::int32_t srcX, std::int32_t srcY,
                        std::uint32_t rop) = 0;
  // `bits`: rows of 16-bit-aligned scan lines, top row first; null leaves the contents undefined.
  virtual Result<Handle> CreateBitmap(std::int32_t width, std::int32_t height, std::uint32_t planes,
                                      std::uint32_t bitsPerPixel, const void* bits) = 0;
  virtual Status DeleteObject(Handle object) = 0;
  virtual Status DeleteDC(Handle dc) = 0;
  virtual Result<Handle> CreateIconIndirect(const IconInfo& info) = 0;
  virtual Status DestroyIcon(Handle icon) = 0;

  // Picture boxes: a memory device context holding `picture` in a colour bitmap, top-left pixel
  // at (0, 0); releasePicture frees the context and its bitmap.
  virtual Result<Handle> loadPicture(const art::Picture& picture) = 0;
  virtual Status releasePicture(Handle dc) = 0;

  // Reads an icon's pixels and mask back, for the tray entry of a runtime that draws it itself
  // and for tests.
  virtual Status readIcon(Handle icon, IconPixels& out) = 0;
  virtual LiveObjects liveObjects() const = 0;

 protected:
  ~Graphics() = default;
};

}  // namespace vorlin

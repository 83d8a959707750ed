// The real graphics and icon calls of gdi32 and user32, bound by name at first use, with counts
// of the objects the program has created and not yet released.
#pragma once

#include <windows.h>

#include "runtime/graphics.h"
#include "runtime/win32/binding.h"

namespace vorlin::win32 {

class WinGraphics final : public Graphics {
 public:
  WinGraphics() = default;
  WinGraphics(const WinGraphics&) = delete;
  WinGraphics& operator=(const WinGraphics&) = delete;

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
  LiveObjects liveObjects() const override { return live_; }

 private:
  LiveObjects live_;
};

}  // namespace vorlin::win32

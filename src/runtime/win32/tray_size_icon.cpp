#include "runtime/win32/tray_size_icon.h"

#include <array>
#include <cstdint>

#include "art/icon_enlargement.h"
#include "runtime/win32/bound_calls.h"
#include "runtime/win32/dialog_font.h"
#include "runtime/win32/icon_bits.h"
#include "runtime/win32/owners.h"

namespace vorlin::win32 {
namespace {

constexpr Status kSizeOutOfRange{kInvalidArgument, "Invalid procedure call or argument: icon size"};
constexpr Status kNoTraySizeIcon{kOutOfMemory, "Out of memory: no icon at the tray's size"};

// Rows of a one-bit bitmap for CreateBitmap are whole 16-bit words.
constexpr std::size_t maskRowBytes(int width) {
  return static_cast<std::size_t>((width + 15) / 16 * 2);
}

}  // namespace

int trayIconSize() {
  // Where the system knows DPIs per window and has metrics per DPI, those of the tray's DPI.
  const auto forDpi = bound<User32Calls>().GetSystemMetricsForDpi.orNull();
  if (forDpi == nullptr) return GetSystemMetrics(SM_CXSMICON);
  UINT dpi = 0;
  const auto ofWindow = bound<User32Calls>().GetDpiForWindow.orNull();
  if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr); tray != nullptr && ofWindow != nullptr)
    dpi = ofWindow(tray);
  if (dpi == 0) dpi = systemDpi();
  return forDpi(SM_CXSMICON, dpi);
}

Result<HICON> createTraySizeIcon(HICON icon, int size) {
  if (size <= 0 || size > kLargestTraySizeIcon) return kSizeOutOfRange;
  IconBits small;
  VORLIN_TRY(readIconBits(icon, small));

  // Enlarged, pixel by pixel.
  const OwnedHDC scratch(CreateCompatibleDC(nullptr));
  BitmapLayout colourOut = bitmapLayout(size, size, 32);
  void* bits = nullptr;
  const OwnedHBITMAP large(
      CreateDIBSection(scratch.get(), colourOut.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!large || bits == nullptr) return kNoTraySizeIcon;
  auto* out = static_cast<std::uint32_t*>(bits);
  const std::size_t outRow = maskRowBytes(size);
  std::array<std::uint8_t, kLargestTraySizeIcon / 8 * kLargestTraySizeIcon> largeMask{};
  for (int y = 0; y < size; ++y) {
    const int fromY = enlargedFrom(y, size);
    for (int x = 0; x < size; ++x) {
      const int fromX = enlargedFrom(x, size);
      // Opaque by its alpha as well as by its mask: a shell that passes a mask of a width not
      // a multiple of 16 on as garbage (Wine's does) still shows every pixel.
      *out++ = small.pixel(fromX, fromY) | 0xFF000000u;
      if (small.masked(fromX, fromY))
        largeMask[static_cast<std::size_t>(y) * outRow + static_cast<std::size_t>(x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  const OwnedHBITMAP largeMaskBitmap(CreateBitmap(size, size, 1, 1, largeMask.data()));
  if (!largeMaskBitmap) return kNoTraySizeIcon;
  ICONINFO made{};
  made.fIcon = TRUE;
  made.hbmMask = largeMaskBitmap.get();
  made.hbmColor = large.get();
  // The icon has copies of both bitmaps, which go with their owners.
  HICON enlarged = CreateIconIndirect(&made);
  if (enlarged == nullptr) return kNoTraySizeIcon;
  return {kOk, enlarged};
}

}  // namespace vorlin::win32

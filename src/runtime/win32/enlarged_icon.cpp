#include "runtime/win32/enlarged_icon.h"

#include <array>
#include <cstdint>

#include "art/icon_enlargement.h"
#include "runtime/win32/binding.h"
#include "runtime/win32/dialog_font.h"

namespace vorlin::win32 {
namespace {

constexpr int kSide = art::kIconSize;
constexpr int kLargest = 64;  // four times; larger sizes are left to the shell

struct ColourLayout {
  BITMAPINFOHEADER header;
};
struct MaskLayout {
  BITMAPINFOHEADER header;
  RGBQUAD palette[2];
};

BITMAPINFOHEADER layout(int side, WORD bits) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(h);
  h.biWidth = side;
  h.biHeight = -side;  // top row first
  h.biPlanes = 1;
  h.biBitCount = bits;
  h.biCompression = BI_RGB;
  return h;
}

// Rows of a one-bit bitmap are whole 32-bit words for GetDIBits, whole 16-bit words for
// CreateBitmap.
std::size_t maskRow(int side, int align) {
  return static_cast<std::size_t>((side + align - 1) / align * (align / 8));
}

bool maskBit(const std::uint8_t* bits, std::size_t row, int x, int y) {
  return (bits[static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x / 8)] >>
          (7 - x % 8)) &
         1;
}

}  // namespace

int trayIconSize() {
  // Where the system knows DPIs per window and has metrics per DPI, those of the tray's DPI.
  static Bound<UINT(WINAPI*)(HWND)> dpiOfWindow(kUser32, "GetDpiForWindow");
  static Bound<int(WINAPI*)(int, UINT)> metricForDpi(kUser32, "GetSystemMetricsForDpi");
  const auto forDpi = metricForDpi.get();
  if (forDpi.status.failed()) return GetSystemMetrics(SM_CXSMICON);
  UINT dpi = 0;
  const auto ofWindow = dpiOfWindow.get();
  if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr); tray != nullptr && ofWindow.status.ok())
    dpi = ofWindow.value(tray);
  if (dpi == 0) dpi = systemDpi();
  return forDpi.value(SM_CXSMICON, dpi);
}

OwnedHICON enlargedIcon(HICON icon, int size) {
  if (size <= 0 || size > kLargest) return {};
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const OwnedHBITMAP colour(info.hbmColor);
  const OwnedHBITMAP mask(info.hbmMask);
  if (!colour || !mask) return {};
  const OwnedHDC scratch(CreateCompatibleDC(nullptr));

  // The 16 × 16 picture and its mask, read back.
  ColourLayout colourIn{layout(kSide, 32)};
  std::array<std::uint32_t, kSide * kSide> pixels{};
  if (GetDIBits(scratch.get(), colour.get(), 0, kSide, pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&colourIn), DIB_RGB_COLORS) != kSide)
    return {};
  MaskLayout maskIn{layout(kSide, 1), {}};
  const std::size_t inRow = maskRow(kSide, 32);
  std::array<std::uint8_t, 4 * kSide> maskBits{};
  if (GetDIBits(scratch.get(), mask.get(), 0, kSide, maskBits.data(),
                reinterpret_cast<BITMAPINFO*>(&maskIn), DIB_RGB_COLORS) != kSide)
    return {};

  // Enlarged, pixel by pixel.
  ColourLayout colourOut{layout(size, 32)};
  void* bits = nullptr;
  const OwnedHBITMAP large(CreateDIBSection(
      scratch.get(), reinterpret_cast<BITMAPINFO*>(&colourOut), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!large || bits == nullptr) return {};
  auto* out = static_cast<std::uint32_t*>(bits);
  const std::size_t outRow = maskRow(size, 16);
  std::array<std::uint8_t, kLargest / 8 * kLargest> largeMask{};
  for (int y = 0; y < size; ++y) {
    const int fromY = enlargedFrom(y, size);
    for (int x = 0; x < size; ++x) {
      const int fromX = enlargedFrom(x, size);
      // Opaque by its alpha as well as by its mask: a shell that passes a mask of a width not
      // a multiple of 16 on as garbage (Wine's does) still shows every pixel.
      *out++ = pixels[static_cast<std::size_t>(fromY * kSide + fromX)] | 0xFF000000u;
      if (maskBit(maskBits.data(), inRow, fromX, fromY))
        largeMask[static_cast<std::size_t>(y) * outRow + static_cast<std::size_t>(x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  const OwnedHBITMAP largeMaskBitmap(CreateBitmap(size, size, 1, 1, largeMask.data()));
  if (!largeMaskBitmap) return {};
  ICONINFO made{};
  made.fIcon = TRUE;
  made.hbmMask = largeMaskBitmap.get();
  made.hbmColor = large.get();
  // The icon has copies of both bitmaps, which go with their owners.
  return OwnedHICON(CreateIconIndirect(&made));
}

}  // namespace vorlin::win32

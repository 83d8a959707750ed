#include "runtime/win32/icon_bits.h"

#include "base/failures.h"
#include "runtime/win32/owners.h"

namespace vorlin::win32 {

BitmapLayout bitmapLayout(int width, int height, WORD bitsPerPixel) {
  BitmapLayout layout{};
  layout.header.biSize = sizeof(BITMAPINFOHEADER);
  layout.header.biWidth = width;
  layout.header.biHeight = -height;  // top row first
  layout.header.biPlanes = 1;
  layout.header.biBitCount = bitsPerPixel;
  layout.header.biCompression = BI_RGB;
  return layout;
}

Status readIconBits(HICON icon, IconBits& out) {
  constexpr int kSide = IconBits::kSide;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return kNoSuchIcon;
  // GetIconInfo hands out copies of the icon's bitmaps, which go with their owners.
  const OwnedHBITMAP colour(info.hbmColor);
  const OwnedHBITMAP mask(info.hbmMask);
  if (!colour) return kNoSuchIcon;
  const OwnedHDC scratch(CreateCompatibleDC(nullptr));
  BitmapLayout colourLayout = bitmapLayout(kSide, kSide, 32);
  if (GetDIBits(scratch.get(), colour.get(), 0, kSide, out.colour.data(), colourLayout.info(),
                DIB_RGB_COLORS) != kSide)
    return {kInvalidArgument, "Invalid procedure call or argument: icon not 16 x 16"};
  BitmapLayout maskLayout = bitmapLayout(kSide, kSide, 1);
  if (GetDIBits(scratch.get(), mask.get(), 0, kSide, out.maskRows.data(), maskLayout.info(),
                DIB_RGB_COLORS) != kSide)
    return {kInvalidArgument, "Invalid procedure call or argument: icon without mask"};
  return kOk;
}

}  // namespace vorlin::win32

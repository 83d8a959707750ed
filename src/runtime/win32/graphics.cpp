#include "runtime/win32/graphics.h"

#include "art/artwork.h"
#include "base/failures.h"
#include "runtime/win32/bound_calls.h"
#include "runtime/win32/icon_bits.h"

namespace vorlin::win32 {

Result<Handle> WinGraphics::CreateCompatibleDC(Handle dc) {
  VORLIN_BIND(create, bound<Gdi32Calls>().CreateCompatibleDC);
  HDC made = create(fromHandle<HDC>(dc));
  if (made != nullptr) ++live_.dcs;
  return {kOk, toHandle(made)};
}

Result<Handle> WinGraphics::CreateCompatibleBitmap(Handle dc, std::int32_t width,
                                                   std::int32_t height) {
  VORLIN_BIND(create, bound<Gdi32Calls>().CreateCompatibleBitmap);
  HBITMAP made = create(fromHandle<HDC>(dc), width, height);
  if (made != nullptr) ++live_.bitmaps;
  return {kOk, toHandle(made)};
}

Result<Handle> WinGraphics::SelectObject(Handle dc, Handle object) {
  VORLIN_BIND(select, bound<Gdi32Calls>().SelectObject);
  return {kOk, toHandle(select(fromHandle<HDC>(dc), fromHandle<HGDIOBJ>(object)))};
}

Status WinGraphics::BitBlt(Handle dest, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, Handle source, std::int32_t srcX, std::int32_t srcY,
                           std::uint32_t rop) {
  VORLIN_BIND(blit, bound<Gdi32Calls>().BitBlt);
  blit(fromHandle<HDC>(dest), x, y, width, height, fromHandle<HDC>(source), srcX, srcY, rop);
  return kOk;
}

Result<Handle> WinGraphics::CreateBitmap(std::int32_t width, std::int32_t height,
                                         std::uint32_t planes, std::uint32_t bitsPerPixel,
                                         const void* bits) {
  VORLIN_BIND(create, bound<Gdi32Calls>().CreateBitmap);
  HBITMAP made = create(width, height, planes, bitsPerPixel, bits);
  if (made != nullptr) ++live_.bitmaps;
  return {kOk, toHandle(made)};
}

Status WinGraphics::DeleteObject(Handle object) {
  VORLIN_BIND(type, bound<Gdi32Calls>().GetObjectType);
  VORLIN_BIND(remove, bound<Gdi32Calls>().DeleteObject);
  const bool bitmap = type(fromHandle<HGDIOBJ>(object)) == OBJ_BITMAP;
  if (!remove(fromHandle<HGDIOBJ>(object))) return kDeleteObjectFailed;
  if (bitmap) --live_.bitmaps;
  return kOk;
}

Status WinGraphics::DeleteDC(Handle dc) {
  VORLIN_BIND(remove, bound<Gdi32Calls>().DeleteDC);
  if (!remove(fromHandle<HDC>(dc))) return kDeleteDCFailed;
  --live_.dcs;
  return kOk;
}

Result<Handle> WinGraphics::CreateIconIndirect(const IconInfo& info) {
  VORLIN_BIND(create, bound<User32Calls>().CreateIconIndirect);
  ICONINFO record{};
  record.fIcon = info.fIcon != 0;
  record.xHotspot = info.xHotspot;
  record.yHotspot = info.yHotspot;
  record.hbmMask = fromHandle<HBITMAP>(info.hbmMask);
  record.hbmColor = fromHandle<HBITMAP>(info.hbmColor);
  HICON made = create(&record);
  if (made != nullptr) ++live_.icons;
  return {kOk, toHandle(made)};
}

Status WinGraphics::DestroyIcon(Handle icon) {
  VORLIN_BIND(destroy, bound<User32Calls>().DestroyIcon);
  if (!destroy(fromHandle<HICON>(icon))) return kDestroyIconFailed;
  --live_.icons;
  return kOk;
}

Result<Handle> WinGraphics::loadPicture(const art::Picture& picture) {
  VORLIN_BIND(createSection, bound<Gdi32Calls>().CreateDIBSection);
  VORLIN_BIND(select, bound<Gdi32Calls>().SelectObject);
  const Result<Handle> dc = CreateCompatibleDC(0);
  VORLIN_TRY(dc.status);
  if (dc.value == 0) return {Status{kOutOfMemory, "Out of memory: no device context"}};
  BitmapLayout layout = bitmapLayout(picture.width, picture.height, 32);
  void* bits = nullptr;
  HBITMAP section = createSection(nullptr, layout.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) {
    (void)DeleteDC(dc.value);
    return {Status{kOutOfMemory, "Out of memory: no picture bitmap"}};
  }
  ++live_.bitmaps;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) *pixels++ = picture.pixel(x, y);
  }
  select(fromHandle<HDC>(dc.value), section);
  return {kOk, dc.value};
}

Status WinGraphics::releasePicture(Handle dc) {
  // Deleting the device context lets go of its bitmap, which can then be deleted. Each step is
  // taken whatever the one before answered; the first failure is the answer.
  const auto current = bound<Gdi32Calls>().GetCurrentObject.get();
  HGDIOBJ section = current.status.ok() ? current.value(fromHandle<HDC>(dc), OBJ_BITMAP) : nullptr;
  const Status dcDeleted = DeleteDC(dc);
  const Status sectionDeleted = section != nullptr ? DeleteObject(toHandle(section)) : kOk;
  return firstFailure({current.status, dcDeleted, sectionDeleted});
}

Status WinGraphics::readIcon(Handle icon, IconPixels& out) {
  IconBits bits;
  VORLIN_TRY(readIconBits(fromHandle<HICON>(icon), bits));
  for (int y = 0; y < IconBits::kSide; ++y) {
    for (int x = 0; x < IconBits::kSide; ++x) {
      const auto i = static_cast<unsigned>(y * IconBits::kSide + x);
      out.colour[i] = bits.pixel(x, y) & 0xFFFFFF;
      out.mask[i] = bits.masked(x, y) ? 1 : 0;
    }
  }
  return kOk;
}

}  // namespace vorlin::win32

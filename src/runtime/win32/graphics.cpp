#include "runtime/win32/graphics.h"

#include "art/artwork.h"
#include "base/failures.h"

namespace vorlin::win32 {
namespace {

struct Gdi32 {
  Bound<HDC(WINAPI*)(HDC)> CreateCompatibleDC{kGdi32, "CreateCompatibleDC"};
  Bound<HBITMAP(WINAPI*)(HDC, int, int)> CreateCompatibleBitmap{kGdi32, "CreateCompatibleBitmap"};
  Bound<HGDIOBJ(WINAPI*)(HDC, HGDIOBJ)> SelectObject{kGdi32, "SelectObject"};
  Bound<BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD)> BitBlt{kGdi32, "BitBlt"};
  Bound<HBITMAP(WINAPI*)(int, int, UINT, UINT, const void*)> CreateBitmap{kGdi32, "CreateBitmap"};
  Bound<BOOL(WINAPI*)(HGDIOBJ)> DeleteObject{kGdi32, "DeleteObject"};
  Bound<BOOL(WINAPI*)(HDC)> DeleteDC{kGdi32, "DeleteDC"};
  Bound<DWORD(WINAPI*)(HGDIOBJ)> GetObjectType{kGdi32, "GetObjectType"};
  Bound<HGDIOBJ(WINAPI*)(HDC, UINT)> GetCurrentObject{kGdi32, "GetCurrentObject"};
  Bound<HBITMAP(WINAPI*)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD)> CreateDIBSection{
      kGdi32, "CreateDIBSection"};
  Bound<int(WINAPI*)(HDC, HBITMAP, UINT, UINT, void*, BITMAPINFO*, UINT)> GetDIBits{kGdi32,
                                                                                    "GetDIBits"};
};

struct User32 {
  Bound<HICON(WINAPI*)(ICONINFO*)> CreateIconIndirect{kUser32, "CreateIconIndirect"};
  Bound<BOOL(WINAPI*)(HICON)> DestroyIcon{kUser32, "DestroyIcon"};
  Bound<BOOL(WINAPI*)(HICON, ICONINFO*)> GetIconInfo{kUser32, "GetIconInfo"};
};

Gdi32& gdi32() {
  static Gdi32 bound;
  return bound;
}

User32& user32() {
  static User32 bound;
  return bound;
}

// A 32-bit top-down device-independent layout of `width` × `height` pixels.
BITMAPINFO colourLayout(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A one-bit layout with its two palette entries.
struct MaskLayout {
  BITMAPINFOHEADER header;
  RGBQUAD palette[2];
};

// Releases a bitmap that GetIconInfo handed out; those are copies the program never counted.
struct IconBitmaps {
  ICONINFO info{};
  ~IconBitmaps() {
    const auto remove = gdi32().DeleteObject.get();
    if (remove.status.failed()) return;
    if (info.hbmColor != nullptr) remove.value(info.hbmColor);
    if (info.hbmMask != nullptr) remove.value(info.hbmMask);
  }
};

// A scratch memory device context for reading bitmaps back; not one of the program's objects.
struct ScratchDC {
  HDC dc = nullptr;
  ~ScratchDC() {
    const auto remove = gdi32().DeleteDC.get();
    if (dc != nullptr && remove.status.ok()) remove.value(dc);
  }
};

}  // namespace

Result<Handle> WinGraphics::CreateCompatibleDC(Handle dc) {
  VORLIN_BIND(create, gdi32().CreateCompatibleDC);
  HDC made = create(fromHandle<HDC>(dc));
  if (made != nullptr) ++live_.dcs;
  return {kOk, toHandle(made)};
}

Result<Handle> WinGraphics::CreateCompatibleBitmap(Handle dc, std::int32_t width,
                                                   std::int32_t height) {
  VORLIN_BIND(create, gdi32().CreateCompatibleBitmap);
  HBITMAP made = create(fromHandle<HDC>(dc), width, height);
  if (made != nullptr) ++live_.bitmaps;
  return {kOk, toHandle(made)};
}

Result<Handle> WinGraphics::SelectObject(Handle dc, Handle object) {
  VORLIN_BIND(select, gdi32().SelectObject);
  return {kOk, toHandle(select(fromHandle<HDC>(dc), fromHandle<HGDIOBJ>(object)))};
}

Status WinGraphics::BitBlt(Handle dest, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, Handle source, std::int32_t srcX, std::int32_t srcY,
                           std::uint32_t rop) {
  VORLIN_BIND(blit, gdi32().BitBlt);
  blit(fromHandle<HDC>(dest), x, y, width, height, fromHandle<HDC>(source), srcX, srcY, rop);
  return kOk;
}

Result<Handle> WinGraphics::CreateBitmap(std::int32_t width, std::int32_t height,
                                         std::uint32_t planes, std::uint32_t bitsPerPixel,
                                         const void* bits) {
  VORLIN_BIND(create, gdi32().CreateBitmap);
  HBITMAP made = create(width, height, planes, bitsPerPixel, bits);
  if (made != nullptr) ++live_.bitmaps;
  return {kOk, toHandle(made)};
}

Status WinGraphics::DeleteObject(Handle object) {
  VORLIN_BIND(type, gdi32().GetObjectType);
  VORLIN_BIND(remove, gdi32().DeleteObject);
  const bool bitmap = type(fromHandle<HGDIOBJ>(object)) == OBJ_BITMAP;
  if (remove(fromHandle<HGDIOBJ>(object)) && bitmap) --live_.bitmaps;
  return kOk;
}

Status WinGraphics::DeleteDC(Handle dc) {
  VORLIN_BIND(remove, gdi32().DeleteDC);
  if (remove(fromHandle<HDC>(dc))) --live_.dcs;
  return kOk;
}

Result<Handle> WinGraphics::CreateIconIndirect(const IconInfo& info) {
  VORLIN_BIND(create, user32().CreateIconIndirect);
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
  VORLIN_BIND(destroy, user32().DestroyIcon);
  if (destroy(fromHandle<HICON>(icon))) --live_.icons;
  return kOk;
}

Result<Handle> WinGraphics::loadPicture(const art::Picture& picture) {
  VORLIN_BIND(createSection, gdi32().CreateDIBSection);
  VORLIN_BIND(select, gdi32().SelectObject);
  const Result<Handle> dc = CreateCompatibleDC(0);
  VORLIN_TRY(dc.status);
  if (dc.value == 0) return {Status{kOutOfMemory, "Out of memory: no device context"}};
  const BITMAPINFO layout = colourLayout(picture.width, picture.height);
  void* bits = nullptr;
  HBITMAP section = createSection(nullptr, &layout, DIB_RGB_COLORS, &bits, nullptr, 0);
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
  const Result<HGDIOBJ(WINAPI*)(HDC, UINT)> current = gdi32().GetCurrentObject.get();
  HGDIOBJ section = current.status.ok() ? current.value(fromHandle<HDC>(dc), OBJ_BITMAP) : nullptr;
  const Status dcDeleted = DeleteDC(dc);
  const Status sectionDeleted = section != nullptr ? DeleteObject(toHandle(section)) : kOk;
  return firstFailure({current.status, dcDeleted, sectionDeleted});
}

Status WinGraphics::readIcon(Handle icon, IconPixels& out) {
  VORLIN_BIND(iconInfo, user32().GetIconInfo);
  VORLIN_BIND(createDC, gdi32().CreateCompatibleDC);
  VORLIN_BIND(read, gdi32().GetDIBits);
  IconBitmaps parts;
  if (!iconInfo(fromHandle<HICON>(icon), &parts.info) || parts.info.hbmColor == nullptr)
    return kNoSuchIcon;
  ScratchDC scratch{createDC(nullptr)};
  constexpr int kSide = art::kIconSize;

  BITMAPINFO colour = colourLayout(kSide, kSide);
  std::array<std::uint32_t, kSide * kSide> pixels{};
  if (read(scratch.dc, parts.info.hbmColor, 0, kSide, pixels.data(), &colour, DIB_RGB_COLORS) !=
      kSide)
    return {kInvalidArgument, "Invalid procedure call or argument: icon not 16 x 16"};
  for (std::size_t i = 0; i < pixels.size(); ++i) out.colour[i] = pixels[i] & 0xFFFFFF;

  MaskLayout mask{};
  mask.header.biSize = sizeof(BITMAPINFOHEADER);
  mask.header.biWidth = kSide;
  mask.header.biHeight = -kSide;
  mask.header.biPlanes = 1;
  mask.header.biBitCount = 1;
  mask.header.biCompression = BI_RGB;
  std::array<std::uint32_t, kSide> rows{};  // one 32-bit aligned row each
  if (read(scratch.dc, parts.info.hbmMask, 0, kSide, rows.data(),
           reinterpret_cast<BITMAPINFO*>(&mask), DIB_RGB_COLORS) != kSide)
    return {kInvalidArgument, "Invalid procedure call or argument: icon without mask"};
  for (int y = 0; y < kSide; ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(&rows[static_cast<unsigned>(y)]);
    for (int x = 0; x < kSide; ++x) {
      out.mask[static_cast<unsigned>(y * kSide + x)] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return kOk;
}

}  // namespace vorlin::win32

#include "runtime/soft/graphics.h"

#include <algorithm>

#include "art/artwork.h"
#include "base/failures.h"

namespace vorlin {
namespace {

constexpr art::Rgb kWhite = 0xFFFFFF;

// A monochrome bitmap holds black and white only: the background colour white maps to white,
// everything else to black.
art::Rgb toMonochrome(art::Rgb c) {
  return c == kWhite ? kWhite : 0;
}

}  // namespace

SoftGraphics::Bitmap* SoftGraphics::bitmapOf(Handle dc) {
  return const_cast<Bitmap*>(static_cast<const SoftGraphics*>(this)->bitmapOf(dc));
}

const SoftGraphics::Bitmap* SoftGraphics::bitmapOf(Handle dc) const {
  const auto d = dcs_.find(dc);
  if (d == dcs_.end()) return nullptr;
  if (d->second == kStockBitmap) return &stock_;
  const auto b = bitmaps_.find(d->second);
  return b == bitmaps_.end() ? nullptr : &b->second;
}

Handle SoftGraphics::addBitmap(int width, int height, bool monochrome) {
  const Handle h = newHandle();
  Bitmap& b = bitmaps_[h];
  b.width = width;
  b.height = height;
  b.monochrome = monochrome;
  // Whatever a new bitmap holds: set bits in a monochrome one, a grey in a colour one.
  b.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  monochrome ? kWhite : kUndefinedPixel);
  return h;
}

Result<Handle> SoftGraphics::CreateCompatibleDC(Handle) {
  const Handle h = newHandle();
  dcs_[h] = kStockBitmap;
  return {kOk, h};
}

Result<Handle> SoftGraphics::CreateCompatibleBitmap(Handle dc, std::int32_t width,
                                                    std::int32_t height) {
  if (width <= 0 || height <= 0) return {kOk, 0};
  bool monochrome = false;  // the screen's device context (0) is a colour one
  if (dc != 0) {
    const Bitmap* selected = bitmapOf(dc);
    if (selected == nullptr) return {kOk, 0};
    monochrome = selected->monochrome;
  }
  return {kOk, addBitmap(width, height, monochrome)};
}

Result<Handle> SoftGraphics::SelectObject(Handle dc, Handle object) {
  const auto d = dcs_.find(dc);
  if (d == dcs_.end()) return {kOk, 0};
  if (object != kStockBitmap) {
    const auto b = bitmaps_.find(object);
    if (b == bitmaps_.end()) return {kOk, 0};
    if (b->second.selectedInto != 0 && b->second.selectedInto != dc) return {kOk, 0};
    b->second.selectedInto = dc;
  }
  const Handle previous = d->second;
  if (previous != object && previous != kStockBitmap) bitmaps_[previous].selectedInto = 0;
  d->second = object;
  return {kOk, previous};
}

Status SoftGraphics::BitBlt(Handle dest, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, Handle source, std::int32_t srcX,
                            std::int32_t srcY, std::uint32_t rop) {
  Bitmap* d = bitmapOf(dest);
  const Bitmap* s = bitmapOf(source);
  if (d == nullptr || s == nullptr || (rop != kSrcCopy && rop != kSrcAnd)) return kOk;
  // Only the part of the rectangle that lies inside both bitmaps is touched; where the source
  // rectangle reaches outside its bitmap, the destination keeps its pixels.
  const int left = std::max({0, -x, -srcX});
  const int top = std::max({0, -y, -srcY});
  const int right = std::min({width, d->width - x, s->width - srcX});
  const int bottom = std::min({height, d->height - y, s->height - srcY});
  for (int row = top; row < bottom; ++row) {
    for (int col = left; col < right; ++col) {
      const art::Rgb from =
          s->pixels[static_cast<std::size_t>((srcY + row) * s->width + srcX + col)];
      art::Rgb& to = d->pixels[static_cast<std::size_t>((y + row) * d->width + x + col)];
      const art::Rgb result = rop == kSrcCopy ? from : (to & from);
      to = d->monochrome ? toMonochrome(result) : result;
    }
  }
  return kOk;
}

Result<Handle> SoftGraphics::CreateBitmap(std::int32_t width, std::int32_t height,
                                          std::uint32_t planes, std::uint32_t bitsPerPixel,
                                          const void* bits) {
  // Monochrome only: the program makes its colour bitmaps compatible with a device context.
  if (width <= 0 || height <= 0 || planes != 1 || bitsPerPixel != 1) return {kOk, 0};
  const Handle h = addBitmap(width, height, true);
  if (bits == nullptr) return {kOk, h};
  Bitmap& b = bitmaps_[h];
  const auto* bytes = static_cast<const std::uint8_t*>(bits);
  const int stride = (width + 15) / 16 * 2;
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const bool set = (bytes[row * stride + col / 8] >> (7 - col % 8)) & 1;
      b.pixels[static_cast<std::size_t>(row * width + col)] = set ? kWhite : 0;
    }
  }
  return {kOk, h};
}

Status SoftGraphics::DeleteObject(Handle object) {
  const auto b = bitmaps_.find(object);
  // A bitmap still selected into a device context cannot be deleted.
  if (b == bitmaps_.end() || b->second.selectedInto != 0) return kDeleteObjectFailed;
  bitmaps_.erase(b);
  return kOk;
}

Status SoftGraphics::DeleteDC(Handle dc) {
  const auto d = dcs_.find(dc);
  if (d == dcs_.end()) return kDeleteDCFailed;
  if (d->second != kStockBitmap) bitmaps_[d->second].selectedInto = 0;
  dcs_.erase(d);
  return kOk;
}

Result<Handle> SoftGraphics::CreateIconIndirect(const IconInfo& info) {
  const auto colour = bitmaps_.find(info.hbmColor);
  const auto mask = bitmaps_.find(info.hbmMask);
  if (colour == bitmaps_.end() || mask == bitmaps_.end()) return {kOk, 0};
  Icon icon;
  icon.width = colour->second.width;
  icon.height = colour->second.height;
  icon.colour = colour->second.pixels;
  icon.mask.resize(icon.colour.size(), 1);
  for (int row = 0; row < std::min(icon.height, mask->second.height); ++row) {
    for (int col = 0; col < std::min(icon.width, mask->second.width); ++col) {
      icon.mask[static_cast<std::size_t>(row * icon.width + col)] =
          mask->second.pixels[static_cast<std::size_t>(row * mask->second.width + col)] == kWhite;
    }
  }
  const Handle h = newHandle();
  icons_.emplace(h, std::move(icon));
  return {kOk, h};
}

Status SoftGraphics::DestroyIcon(Handle icon) {
  return icons_.erase(icon) == 1 ? kOk : kDestroyIconFailed;
}

Result<Handle> SoftGraphics::loadPicture(const art::Picture& picture) {
  const Handle dc = CreateCompatibleDC(0).value;
  const Handle bitmap = addBitmap(picture.width, picture.height, false);
  Bitmap& b = bitmaps_[bitmap];
  for (int row = 0; row < picture.height; ++row) {
    for (int col = 0; col < picture.width; ++col) {
      b.pixels[static_cast<std::size_t>(row * picture.width + col)] = picture.pixel(col, row);
    }
  }
  (void)SelectObject(dc, bitmap);
  return {kOk, dc};
}

Status SoftGraphics::releasePicture(Handle dc) {
  // The bitmap comes out of the context and goes, then the context; each step is taken whatever
  // the one before answered, and the first failure is the answer.
  const Result<Handle> deselected = SelectObject(dc, kStockBitmap);
  const Status bitmapDeleted = DeleteObject(deselected.value);
  const Status dcDeleted = DeleteDC(dc);
  return firstFailure({deselected.status, bitmapDeleted, dcDeleted});
}

Status SoftGraphics::readIcon(Handle icon, IconPixels& out) {
  const auto i = icons_.find(icon);
  if (i == icons_.end() || i->second.width != art::kIconSize || i->second.height != art::kIconSize)
    return kNoSuchIcon;
  std::copy(i->second.colour.begin(), i->second.colour.end(), out.colour.begin());
  std::copy(i->second.mask.begin(), i->second.mask.end(), out.mask.begin());
  return kOk;
}

LiveObjects SoftGraphics::liveObjects() const {
  return {static_cast<std::int32_t>(dcs_.size()), static_cast<std::int32_t>(bitmaps_.size()),
          static_cast<std::int32_t>(icons_.size())};
}

art::Rgb SoftGraphics::pixel(Handle dc, int x, int y) const {
  const Bitmap* b = bitmapOf(dc);
  if (b == nullptr || x < 0 || y < 0 || x >= b->width || y >= b->height) return 0;
  return b->pixels[static_cast<std::size_t>(y * b->width + x)];
}

}  // namespace vorlin

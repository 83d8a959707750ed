// Owners of the graphics objects the composer takes: a device context, a bitmap, an icon, and
// the selection of a bitmap into a device context. Each releases what it holds when it goes or
// is given another object. A release answers the platform's answer; whether it succeeded or not,
// the owner holds the object no longer: a release that failed is reported, never tried again.
#pragma once

#include <utility>

#include "runtime/graphics.h"

namespace vorlin {

// An owner of one kind of object, released by `release` of the graphics layer.
class OwnedObject {
 public:
  using ReleaseCall = Status (Graphics::*)(Handle);

  OwnedObject(Graphics& graphics, ReleaseCall release) : graphics_(graphics), release_(release) {}
  ~OwnedObject() { (void)release(); }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;

  // Takes what a call made, releasing what was held before; answers the first failure of the
  // two.
  Status take(const Result<Handle>& made) {
    const Status released = release();
    if (made.status.ok()) handle_ = made.value;
    return firstFailure({made.status, released});
  }
  // Takes the object `other` holds, releasing what was held before; answers the release. Both
  // owners release the same kind.
  Status takeFrom(OwnedObject& other) {
    const Status released = release();
    handle_ = std::exchange(other.handle_, 0);
    return released;
  }

  Handle get() const { return handle_; }

  // Releases the object held, if any, and holds nothing from then on; answers the release.
  Status release() {
    const Handle held = std::exchange(handle_, 0);
    return held == 0 ? kOk : (graphics_.*release_)(held);
  }

 private:
  Graphics& graphics_;
  ReleaseCall release_;
  Handle handle_ = 0;
};

template <OwnedObject::ReleaseCall Release>
class Owned final : public OwnedObject {
 public:
  explicit Owned(Graphics& graphics) : OwnedObject(graphics, Release) {}
};

using OwnedDC = Owned<&Graphics::DeleteDC>;
using OwnedBitmap = Owned<&Graphics::DeleteObject>;
using OwnedIcon = Owned<&Graphics::DestroyIcon>;

// A bitmap selected into a device context. Released, the bitmap the context held before goes
// back in, which frees the selected one; should that call fail, deleting the context frees it.
class Selection {
 public:
  explicit Selection(Graphics& graphics) : graphics_(graphics) {}
  ~Selection() { (void)release(); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  Status select(Handle dc, Handle bitmap) {
    (void)release();
    const Result<Handle> replaced = graphics_.SelectObject(dc, bitmap);
    if (replaced.status.ok()) {
      dc_ = dc;
      replaced_ = replaced.value;
      selected_ = true;
    }
    return replaced.status;
  }

  Status release() {
    if (!selected_) return kOk;
    selected_ = false;
    return graphics_.SelectObject(dc_, replaced_).status;
  }

 private:
  Graphics& graphics_;
  Handle dc_ = 0;
  Handle replaced_ = 0;
  bool selected_ = false;
};

}  // namespace vorlin

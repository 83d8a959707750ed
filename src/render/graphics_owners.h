// Owners of the graphics objects the composer takes: a device context, a bitmap, an icon, and
// the selection of a bitmap into a device context. Each releases what it holds when it goes or
// is given another object. A release the platform could not carry out leaves the object with
// its owner, which tries again at its next release.
#pragma once

#include <utility>

#include "runtime/graphics.h"

namespace vorlin {

template <Status (Graphics::*Release)(Handle)>
class Owned {
 public:
  explicit Owned(Graphics& graphics) : graphics_(&graphics) {}
  ~Owned() { (void)release(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept
      : graphics_(other.graphics_), handle_(std::exchange(other.handle_, 0)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      (void)release();
      graphics_ = other.graphics_;
      handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
  }

  // Takes what a call made, releasing what was held before; answers the call's status.
  Status take(const Result<Handle>& made) {
    (void)release();
    if (made.status.ok()) handle_ = made.value;
    return made.status;
  }

  Handle get() const { return handle_; }

  Status release() {
    if (handle_ == 0) return kOk;
    const Status released = (graphics_->*Release)(handle_);
    if (released.ok()) handle_ = 0;
    return released;
  }

 private:
  Graphics* graphics_;
  Handle handle_ = 0;
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

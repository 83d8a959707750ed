// Owners of the graphics objects the composer takes: a device context, a bitmap, an icon, and
// the selection of a bitmap into a device context. Each releases what it holds when it goes or
// is given another object. A release the platform could not carry out leaves the object with
// its owner, which tries again at each of its later releases, and last when it goes: given
// another object, the owner keeps the one it could not release beside it.
#pragma once

#include <utility>
#include <vector>

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
      : graphics_(other.graphics_),
        handle_(std::exchange(other.handle_, 0)),
        unreleased_(std::move(other.unreleased_)) {}
  Owned& operator=(Owned&& other) {
    if (this != &other) {
      letGo();
      graphics_ = other.graphics_;
      handle_ = std::exchange(other.handle_, 0);
      unreleased_.insert(unreleased_.end(), other.unreleased_.begin(), other.unreleased_.end());
      other.unreleased_.clear();
    }
    return *this;
  }

  // Takes what a call made, releasing what was held before; answers the call's status.
  Status take(const Result<Handle>& made) {
    letGo();
    if (made.status.ok()) handle_ = made.value;
    return made.status;
  }

  Handle get() const { return handle_; }
  // Objects whose release failed are waiting for another.
  bool holdsUnreleased() const { return !unreleased_.empty(); }

  // Releases the object held and every one an earlier release could not; answers the first
  // failure. What could not be released stays, for the next release.
  Status release() {
    Status first = kOk;
    std::erase_if(unreleased_, [&](Handle h) { return releaseOne(h, first); });
    if (handle_ != 0 && releaseOne(handle_, first)) handle_ = 0;
    return first;
  }

 private:
  // True when `h` was released; a failure is kept in `first` unless one is there.
  bool releaseOne(Handle h, Status& first) {
    const Status released = (graphics_->*Release)(h);
    if (released.failed() && first.ok()) first = released;
    return released.ok();
  }
  // The object held is given up: released, or kept among the unreleased.
  void letGo() {
    if (handle_ == 0) return;
    Status ignored = kOk;
    if (!releaseOne(handle_, ignored)) unreleased_.push_back(handle_);
    handle_ = 0;
  }

  Graphics* graphics_;
  Handle handle_ = 0;
  std::vector<Handle> unreleased_;
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

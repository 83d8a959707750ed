// Owners of the graphics objects the composer takes: a device context, a bitmap, an icon, and
// the selection of a bitmap into a device context. Each releases what it holds when it goes or
// is given another object. A release the platform could not carry out leaves the object with
// its owner, which tries again at each of its later releases, and last when it goes: given
// another object, the owner keeps the one it could not release beside it, a few at most.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "runtime/graphics.h"

namespace vorlin {

// Objects whose release failed, kept by one owner: as many as a few refreshes make while the
// release keeps failing. With no room left, the owner takes nothing new.
inline constexpr std::size_t kMaxUnreleased = 4;
inline constexpr Status kTooManyUnreleased{kOutOfMemory,
                                           "Out of memory: graphics objects could not be released"};

// An owner of one kind of object, released by `release` of the graphics layer.
class OwnedObject {
 public:
  using ReleaseCall = Status (Graphics::*)(Handle);

  OwnedObject(Graphics& graphics, ReleaseCall release) : graphics_(graphics), release_(release) {}
  ~OwnedObject() { (void)release(); }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;

  // Takes what a call made, releasing what was held before; answers the call's status. With no
  // room to keep what could not be released, what the call made is released again instead.
  Status take(const Result<Handle>& made);
  // Takes the object `other` holds, and those it could not release, releasing what was held
  // before; with no room for them, `other` keeps them. Both owners release the same kind.
  Status takeFrom(OwnedObject& other);

  Handle get() const { return handle_; }
  // Objects whose release failed are waiting for another; as many as it can keep.
  bool holdsUnreleased() const { return count_ != 0; }
  bool full() const { return count_ == kMaxUnreleased; }

  // Releases the object held and every one an earlier release could not; answers the first
  // failure. What could not be released stays, for the next release.
  Status release();

 private:
  // True when `h` was released; a failure is kept in `first` unless one is there.
  bool releaseOne(Handle h, Status& first);
  // The object held is given up: released, or kept among the unreleased; false when there is no
  // room for it, and it stays held.
  bool letGo();

  Graphics& graphics_;
  ReleaseCall release_;
  Handle handle_ = 0;
  std::array<Handle, kMaxUnreleased> unreleased_{};
  std::size_t count_ = 0;
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

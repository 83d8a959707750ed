// The owners of the Win32 runtime's platform handles, one template for every kind: an owner holds
// one handle and releases it when it goes or is given another. Owners move; they are never
// copied. A release answers a status: the handle is given up either way, and the caller decides
// whether the failure is reported. (The portable owners of the composer's graphics objects, over
// the program's 32-bit handles, are render/graphics_owners.h: OwnedDC, OwnedBitmap, OwnedIcon.)
#pragma once

#include <windows.h>

#include <utility>

#include "base/status.h"
#include "runtime/win32/bound_calls.h"

namespace vorlin::win32 {

// The platform could not release a handle.
inline constexpr Status kNotReleased{kWindowFailure, "The object could not be released"};

// An owner of a handle of type `H`, released by `Release` (a platform call, or a function of the
// program's beside it), which answers non-zero when it released the handle. `H{}` is no handle.
template <class H, auto Release>
class Owner {
 public:
  Owner() = default;
  explicit Owner(H handle) : handle_(handle) {}
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) {
      (void)release();
      handle_ = std::exchange(other.handle_, H{});
    }
    return *this;
  }
  ~Owner() { (void)release(); }

  H get() const { return handle_; }
  explicit operator bool() const { return !(handle_ == H{}); }

  // Takes the handle a call made, releasing the one held before; answers the call's status.
  Status take(const Result<H>& made) {
    (void)release();
    if (made.status.ok()) handle_ = made.value;
    return made.status;
  }

  // Releases the handle held, if any; answers kNotReleased when the platform could not.
  Status release() {
    if (!*this) return kOk;
    return Release(std::exchange(handle_, H{})) != 0 ? kOk : kNotReleased;
  }

 private:
  H handle_{};
};

// A timer of a window: the window's handle (not owned) and the timer's id.
struct WindowTimer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  bool operator==(const WindowTimer&) const = default;
};
inline BOOL killTimer(WindowTimer timer) {
  return KillTimer(timer.window, timer.id);
}

// The screen's device context, borrowed from the system and handed back.
inline int releaseScreenDC(HDC dc) {
  return ReleaseDC(nullptr, dc);
}

// A registry key, closed by the bound RegCloseKey.
inline BOOL closeRegistryKey(HKEY key) {
  const auto close = bound<Advapi32Calls>().RegCloseKey.orNull();
  return close != nullptr && close(key) == ERROR_SUCCESS;
}

using OwnedHWND = Owner<HWND, &::DestroyWindow>;       // a window, top-level or a control
using OwnedHMENU = Owner<HMENU, &::DestroyMenu>;       // a popup menu
using OwnedTimer = Owner<WindowTimer, &killTimer>;     // a timer started with SetTimer
using OwnedHFONT = Owner<HFONT, &::DeleteObject>;      // a font made by the program
using OwnedHICON = Owner<HICON, &::DestroyIcon>;       // an icon made by the program
using OwnedHBITMAP = Owner<HBITMAP, &::DeleteObject>;  // a bitmap made by or handed to it
using OwnedHDC = Owner<HDC, &::DeleteDC>;              // a memory device context
using OwnedScreenDC = Owner<HDC, &releaseScreenDC>;    // the screen's, from GetDC(nullptr)
using OwnedHKEY = Owner<HKEY, &closeRegistryKey>;      // a registry key the program opened

}  // namespace vorlin::win32

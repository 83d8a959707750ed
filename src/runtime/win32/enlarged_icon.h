// The date icon at the size the notification area shows it: SM_CXSMICON at the tray's DPI, made
// from the composed 16 × 16 icon by whole-pixel enlargement.
#pragma once

#include <windows.h>

namespace vorlin::win32 {

// An icon of the program's own, destroyed with its owner.
class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
  OwnedIcon& operator=(OwnedIcon&& other) noexcept;
  ~OwnedIcon();

  HICON get() const { return icon_; }
  explicit operator bool() const { return icon_ != nullptr; }

 private:
  HICON icon_ = nullptr;
};

// The side of the small icons of the notification area, in pixels, at the tray's DPI.
int trayIconSize();

// `icon`, 16 × 16, enlarged to `size` × `size`; empty when it cannot be read or made.
OwnedIcon enlargedIcon(HICON icon, int size);

}  // namespace vorlin::win32

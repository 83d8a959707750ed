// The state the whole program shares: the chosen background and the one TrayIcon, and the
// routine that recomposes the tray icon from them.
#pragma once

#include <cstdint>
#include <optional>

#include "render/tray_icon.h"

namespace vorlin {

class FrmDate;

class MDate {
 public:
  MDate(Services& services, FrmDate& frmDate) : services_(services), frmDate_(frmDate) {}

  // The chosen background, 0 to 5 (Gray, Blue, Purple, Yellow, Red, White).
  std::int16_t colourIndex = 0;

  TrayIcon& trayIcon();
  Status refreshTrayIcon();

 private:
  Services& services_;
  FrmDate& frmDate_;
  std::optional<TrayIcon> trayIcon_;
};

}  // namespace vorlin

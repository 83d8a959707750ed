// The state the whole program shares: the chosen background and the one TrayIcon, and the
// routine that recomposes the tray icon from them.
#pragma once

#include <cstdint>
#include <optional>

#include "base/tick_path.h"
#include "render/tray_icon.h"

namespace vorlin {

class FrmDate;

class MDate {
 public:
  MDate(Services& services, FrmDate& frmDate) : services_(services), frmDate_(frmDate) {}

  // The chosen background, 0 to 5 (Gray, Blue, Purple, Yellow, Red, White).
  std::int16_t colourIndex = 0;

  VORLIN_TICK_PATH TrayIcon& trayIcon();
  // Recomposes the tray icon; answers the first failure. A refresh that showed its icon is done,
  // even when a release after it failed.
  Status refreshTrayIcon();
  // The host window is loaded: its tray entry is there to show a new icon.
  bool hostLoaded() const;

  // A refresh did not show its icon and none has since.
  bool refreshFailing() const { return refreshFailing_; }
  // A failed refresh is due to be tried again: once a second until one shows its icon.
  VORLIN_TICK_PATH bool refreshDue();
  // An entry the shell did not confirm is asked for again when due. A retry that fails (the
  // shell cannot be asked) joins the run of failed refreshes: the next try is a refresh, a
  // second later.
  VORLIN_TICK_PATH Status retryTrayEntry();

 private:
  // The refresh's first failure, and whether it showed its icon.
  Result<bool> compose();

  Services& services_;
  FrmDate& frmDate_;
  std::optional<TrayIcon> trayIcon_;
  bool refreshFailing_ = false;
  std::uint32_t lastRefresh_ = 0;
};

}  // namespace vorlin

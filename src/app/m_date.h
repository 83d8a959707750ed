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
  // The host window is loaded: its tray entry is there to show a new icon.
  bool hostLoaded() const;

  // A refresh failed and none has succeeded since.
  bool refreshFailing() const { return refreshFailing_; }
  // A failed refresh is due to be tried again: once a second until one succeeds.
  bool refreshDue();
  // The due try of a failed refresh: the refresh again, or only the releases it could not make.
  Status retryRefresh();
  // An entry the shell did not confirm is asked for again when due. A retry that fails (the
  // shell cannot be asked) joins the run of failed refreshes: the next try is a refresh, a
  // second later.
  Status retryTrayEntry();

 private:
  Status compose();

  Services& services_;
  FrmDate& frmDate_;
  std::optional<TrayIcon> trayIcon_;
  bool refreshFailing_ = false;
  std::uint32_t lastRefresh_ = 0;
};

}  // namespace vorlin

// TrayIcon composes the 16 × 16 date icon (the day over the month, on the chosen background)
// and keeps the program's one entry in the notification area.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/tick_path.h"
#include "base/tray_messages.h"
#include "render/graphics_owners.h"
#include "runtime/services.h"

namespace vorlin {

inline constexpr std::string_view kTip = "Tenwick Vorlin";
inline constexpr std::uint32_t kTrayCallbackMessage = kMouseMove;  // reported as a mouse move
inline constexpr std::uint32_t kTrayId = 1;
// Milliseconds between tries of what failed: an add the shell refused, a refresh.
inline constexpr std::uint32_t kRetryInterval = 1000;

// The request record for the entry of window `hWnd` showing `hIcon`.
NotifyIconRecord trayRecord(Handle hWnd, Handle hIcon);

class TrayIcon {
 public:
  // `host` is the window the tray entry reports to.
  TrayIcon(Services& services, Form& host)
      : services_(services),
        host_(host),
        memoryHDC_(services.graphics),
        memoryBitmap_(services.graphics),
        oldBitmap_(services.graphics),
        mask_(services.graphics),
        dateIcon_(services.graphics),
        previousIcon_(services.graphics) {}

  // The device contexts of the background, the digit strip and the letter strip: borrowed, the
  // host window's pictures own them.
  void sourceHDC(Handle shdc) { sourceHDC_ = shdc; }
  void sourceNumberHDC(Handle snhdc) { sourceNumberHDC_ = snhdc; }
  void sourceTextHDC(Handle sthdc) { sourceTextHDC_ = sthdc; }

  // Composes the icon for the current date and adds or modifies the tray entry, then releases
  // what the refresh no longer needs; answers the first failure. A release that fails is
  // answered and its object forgotten: the icon shown stays shown.
  Status IconFromBitmap();
  // The last refresh handed its icon to the shell.
  bool shownLast() const { return shownLast_; }

  // An entry the shell did not confirm is asked for again, at most once a second, until the
  // shell confirms it.
  VORLIN_TICK_PATH Status retryAddWhenDue();
  // The shell's notification area was created anew: the entry is added again.
  Status entryLost();
  // Removes the entry, whatever the shell answered before, and releases the icon.
  Status removeFromSystemTray();

 private:
  Status BlitDateIntoMemoryDC(double aDate);
  Status makeIcon();
  Status ShowIconInSystemTray();
  Status processDay(std::string_view aDay);
  Status processMonth(std::string_view aMonth, std::string_view english);
  std::optional<std::int16_t> charPosition(char32_t aChar) const;
  Result<std::int16_t> numPosition(std::int16_t aNumber) const;
  Status blitDay(std::int16_t destX, std::int16_t sourceX);
  Status blitMonth(std::int16_t destX, std::int16_t sourceX);
  Status blitBitmap(std::int16_t destX, std::int16_t destY, std::int16_t width, std::int16_t height,
                    Handle sourceHDC, std::int16_t srcX, std::int16_t srcY);
  Status releaseMemory();
  Result<bool> request(std::uint32_t message, Handle hWnd);

  Services& services_;
  Form& host_;

  OwnedDC memoryHDC_;
  OwnedBitmap memoryBitmap_;
  Selection oldBitmap_;  // memoryBitmap_ selected into memoryHDC_, and what it replaced
  OwnedBitmap mask_;     // the icon holds its own copy: released at the end of the refresh
  OwnedIcon dateIcon_;
  Handle sourceHDC_ = 0;
  Handle sourceNumberHDC_ = 0;
  Handle sourceTextHDC_ = 0;
  bool iconShown_ = false;  // the shell confirmed the entry
  bool shownLast_ = false;  // the last refresh's icon was handed to the shell

  OwnedIcon previousIcon_;  // released once the shell has been handed its successor
  bool addTried_ = false;   // an add was sent: the entry may exist, whatever the answers were
  std::uint32_t lastAddAttempt_ = 0;
};

}  // namespace vorlin

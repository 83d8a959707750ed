// The real notification-area call of shell32, bound by name at first use.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/shell.h"
#include "runtime/win32/owners.h"
#include "runtime/win32/tray_promotion.h"

namespace vorlin::win32 {

// The first-version record with 8-byte handles, as the 64-bit shell takes it.
inline constexpr std::size_t kWideRecordSize = 104;
using WideNotifyIconRecord = std::array<std::uint8_t, kWideRecordSize>;

// The same fields in the 64-bit layout: handles widened by sign extension, cbSize 104.
WideNotifyIconRecord widenRecord(const NotifyIconRecord& record);

// Hands the shell the icon at the size its notification area shows: the composed 16 × 16 icon
// enlarged by whole pixels where the tray's icons are larger. After each add, Windows 11 is told to
// show the entry on the taskbar unless the user chose otherwise (tray_promotion.h).
class WinShell final : public Shell {
 public:
  Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;
  // Driven by the program's timer (WinForms::driveOnTimer).
  TrayPromotion& promotion() { return promotion_; }

 private:
  OwnedHICON shown_;  // the enlarged icon last handed over, kept until its successor is
  TrayPromotion promotion_;
};

}  // namespace vorlin::win32

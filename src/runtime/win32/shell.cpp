#include "runtime/win32/shell.h"

#include <windows.h>

#include "art/artwork.h"
#include "runtime/win32/bound_calls.h"
#include "runtime/win32/enlarged_icon.h"

namespace vorlin::win32 {
namespace {

void put(WideNotifyIconRecord& r, std::size_t at, std::uint64_t v, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) r[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint64_t widen(std::uint32_t handle) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(handle)));
}

}  // namespace

WideNotifyIconRecord widenRecord(const NotifyIconRecord& record) {
  const NotifyIconFields f = decodeRecord(record);
  WideNotifyIconRecord wide{};
  put(wide, 0, kWideRecordSize, 4);                              // cbSize
  put(wide, 8, widen(static_cast<std::uint32_t>(f.hWnd)), 8);    // hWnd
  put(wide, 16, f.uID, 4);                                       // uID
  put(wide, 20, f.uFlags, 4);                                    // uFlags
  put(wide, 24, f.uCallbackMessage, 4);                          // uCallbackMessage
  put(wide, 32, widen(static_cast<std::uint32_t>(f.hIcon)), 8);  // hIcon
  for (std::size_t i = 0; i < kTipSize; ++i) wide[40 + i] = record[record_offset::szTip + i];
  return wide;
}

Result<bool> WinShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) {
  VORLIN_BIND(call, shell32().Shell_NotifyIconA);
  // Aligned as the platform's record, which the shell reads it as.
  alignas(NOTIFYICONDATAA) NotifyIconRecord copy = record;
  OwnedHICON enlarged;
  const NotifyIconFields fields = decodeRecord(record);
  // A delete shows nothing: its icon is never enlarged.
  if (message != kNimDelete && (fields.uFlags & kNifIcon) != 0 && fields.hIcon != 0) {
    if (const int size = trayIconSize();
        size != art::kIconSize && size > 0 && size <= kLargestEnlargement) {
      VORLIN_TRY(enlarged.take(createEnlargedIcon(fromHandle<HICON>(fields.hIcon), size)));
      writeU32(copy, record_offset::hIcon, static_cast<std::uint32_t>(toHandle(enlarged.get())));
    }
  }
  bool done = false;
  if constexpr (sizeof(void*) == 8) {
    alignas(NOTIFYICONDATAA) WideNotifyIconRecord wide = widenRecord(copy);
    done = call(message, reinterpret_cast<NOTIFYICONDATAA*>(wide.data())) != FALSE;
  } else {
    done = call(message, reinterpret_cast<NOTIFYICONDATAA*>(copy.data())) != FALSE;
  }
  // The shell has its own copy; the one handed over before goes now.
  if (enlarged || message == kNimDelete) shown_ = std::move(enlarged);
  return {kOk, done};
}

}  // namespace vorlin::win32

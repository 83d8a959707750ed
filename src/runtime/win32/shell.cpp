#include "runtime/win32/shell.h"

#include <windows.h>

#include "art/artwork.h"
#include "runtime/win32/bound_calls.h"
#include "runtime/win32/tray_size_icon.h"

namespace vorlin::win32 {
namespace {

// The fields of the wide record: the platform's own layout, where this build is 64-bit.
namespace wide_offset {
constexpr std::size_t cbSize = 0;
constexpr std::size_t hWnd = 8;  // after four bytes of padding
constexpr std::size_t uID = 16;
constexpr std::size_t uFlags = 20;
constexpr std::size_t uCallbackMessage = 24;
constexpr std::size_t hIcon = 32;  // after four bytes of padding
constexpr std::size_t szTip = 40;
}  // namespace wide_offset

// Each record has the platform's own layout where this build's pointers are of the record's size.
#define VORLIN_PLATFORM_OFFSET(offsets, pointerSize, field) \
  static_assert(sizeof(void*) != (pointerSize) ||           \
                offsetof(NOTIFYICONDATAA, field) == offsets::field)
#define VORLIN_PLATFORM_LAYOUT(offsets, pointerSize)              \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, cbSize);           \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, hWnd);             \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, uID);              \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, uFlags);           \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, uCallbackMessage); \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, hIcon);            \
  VORLIN_PLATFORM_OFFSET(offsets, pointerSize, szTip)
VORLIN_PLATFORM_LAYOUT(wide_offset, 8);
VORLIN_PLATFORM_LAYOUT(record_offset, 4);
#undef VORLIN_PLATFORM_LAYOUT
#undef VORLIN_PLATFORM_OFFSET
static_assert(wide_offset::szTip + kTipSize == kWideRecordSize);

namespace wo = wide_offset;
namespace ro = record_offset;

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
  put(wide, wo::cbSize, kWideRecordSize, 4);
  put(wide, wo::hWnd, widen(static_cast<std::uint32_t>(f.hWnd)), 8);
  put(wide, wo::uID, f.uID, 4);
  put(wide, wo::uFlags, f.uFlags, 4);
  put(wide, wo::uCallbackMessage, f.uCallbackMessage, 4);
  put(wide, wo::hIcon, widen(static_cast<std::uint32_t>(f.hIcon)), 8);
  for (std::size_t i = 0; i < kTipSize; ++i) wide[wo::szTip + i] = record[ro::szTip + i];
  return wide;
}

Result<bool> WinShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) {
  VORLIN_BIND(call, bound<Shell32Calls>().Shell_NotifyIconA);
  // Aligned as the platform's record, which the shell reads it as.
  alignas(NOTIFYICONDATAA) NotifyIconRecord copy = record;
  OwnedHICON enlarged;
  const NotifyIconFields fields = decodeRecord(record);
  // A delete shows nothing: its icon is never enlarged.
  if (message != kNimDelete && (fields.uFlags & kNifIcon) != 0 && fields.hIcon != 0) {
    if (const int size = trayIconSize();
        size != art::kIconSize && size > 0 && size <= kLargestTraySizeIcon) {
      // An icon that cannot be enlarged is handed over as it is: the shell scales it, and the
      // entry still shows the date.
      if (enlarged.take(createTraySizeIcon(fromHandle<HICON>(fields.hIcon), size)).ok())
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
  if (done && message == kNimAdd) promotion_.added();
  return {kOk, done};
}

}  // namespace vorlin::win32

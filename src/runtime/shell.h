// The notification-area call and the request record it takes: the first-version ANSI record,
// 88 bytes, 32-bit handles, little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/handles.h"
#include "base/status.h"

namespace vorlin {

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

inline constexpr std::size_t kNotifyIconRecordSize = 88;
inline constexpr std::size_t kTipSize = 64;

using NotifyIconRecord = std::array<std::uint8_t, kNotifyIconRecordSize>;

// The record's fields, as a reader of its bytes sees them.
struct NotifyIconFields {
  std::uint32_t cbSize = 0;
  Handle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  Handle hIcon = 0;
  std::array<char, kTipSize> szTip{};

  // The tip as the shell shows it: up to the first zero byte.
  std::string_view tip() const {
    std::size_t n = 0;
    while (n < szTip.size() && szTip[n] != '\0') ++n;
    return {szTip.data(), n};
  }
};

namespace record_offset {
inline constexpr std::size_t cbSize = 0;
inline constexpr std::size_t hWnd = 4;
inline constexpr std::size_t uID = 8;
inline constexpr std::size_t uFlags = 12;
inline constexpr std::size_t uCallbackMessage = 16;
inline constexpr std::size_t hIcon = 20;
inline constexpr std::size_t szTip = 24;
}  // namespace record_offset

constexpr std::uint32_t readU32(const NotifyIconRecord& r, std::size_t at) {
  return static_cast<std::uint32_t>(r[at]) | static_cast<std::uint32_t>(r[at + 1]) << 8 |
         static_cast<std::uint32_t>(r[at + 2]) << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}

constexpr void writeU32(NotifyIconRecord& r, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) r[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr NotifyIconFields decodeRecord(const NotifyIconRecord& r) {
  NotifyIconFields f;
  f.cbSize = readU32(r, record_offset::cbSize);
  f.hWnd = static_cast<Handle>(readU32(r, record_offset::hWnd));
  f.uID = readU32(r, record_offset::uID);
  f.uFlags = readU32(r, record_offset::uFlags);
  f.uCallbackMessage = readU32(r, record_offset::uCallbackMessage);
  f.hIcon = static_cast<Handle>(readU32(r, record_offset::hIcon));
  for (std::size_t i = 0; i < kTipSize; ++i)
    f.szTip[i] = static_cast<char>(r[record_offset::szTip + i]);
  return f;
}

class Shell {
 public:
  // The value is the shell's answer: true when it carried out the request.
  virtual Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) = 0;

 protected:
  ~Shell() = default;
};

}  // namespace vorlin

#include "runtime/win32/clock.h"

#include <windows.h>

#include <array>
#include <cmath>

#include "runtime/date.h"
#include "runtime/win32/text.h"

namespace vorlin::win32 {
namespace {

constexpr std::uint32_t kReadInterval = 1000;  // milliseconds between reads of the system
constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

double systemLocalTime() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return serialFromCivil(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond) +
         t.wMilliseconds / kMillisecondsPerDay;
}

double WinClock::now() {
  const std::uint32_t tick = GetTickCount();
  const std::uint32_t since = tick - readTick_;
  if (read_ && since < kReadInterval) {
    const double carried = readTime_ + since / kMillisecondsPerDay;
    if (std::floor(carried) == std::floor(readTime_)) return carried;
  }
  readTime_ = systemLocalTime();
  readTick_ = tick;
  read_ = true;
  return readTime_;
}

std::uint32_t WinClock::tickCount() {
  return GetTickCount();
}

ShortText WinClock::formatMonth(double date) {
  const CivilDate c = civilFromSerial(date);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(c.year);
  t.wMonth = static_cast<WORD>(c.month);
  t.wDay = static_cast<WORD>(c.day);
  std::array<wchar_t, 32> text{};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &t, L"MMM", text.data(),
                     static_cast<int>(text.size())) == 0)
    return {};
  return utf8(text.data());
}

}  // namespace vorlin::win32

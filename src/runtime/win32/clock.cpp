#include "runtime/win32/clock.h"

#include <windows.h>

#include <array>

#include "base/date.h"
#include "runtime/win32/text.h"

namespace vorlin::win32 {

double systemLocalTime() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return serialFromCivil(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond) +
         t.wMilliseconds / 86400000.0;
}

double WinClock::now() {
  return time_.at(GetTickCount(), systemLocalTime);
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

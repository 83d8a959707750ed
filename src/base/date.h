// Dates as the program keeps them: days since 30 December 1899, the time of day as the fraction.
#pragma once

#include <cmath>
#include <cstdint>

namespace vorlin {

struct CivilDate {
  int year;
  unsigned month;  // 1 to 12
  unsigned day;    // 1 to 31
};

inline constexpr std::int64_t kSerialOfUnixEpoch = 25569;  // 1 January 1970

// The days of the calendar from 1 March of the year 0 on (every clock's dates lie past it), in
// eras of 400 years.
constexpr std::int64_t daysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = y / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr CivilDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = z / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  return {static_cast<int>(y), m, d};
}

// The serial of a local date and time.
constexpr double serialFromCivil(int year, unsigned month, unsigned day, unsigned hour = 0,
                                 unsigned minute = 0, unsigned second = 0) {
  return static_cast<double>(daysFromCivil(year, month, day) + kSerialOfUnixEpoch) +
         (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// The calendar date of a serial; the time of day is dropped.
inline CivilDate civilFromSerial(double serial) {
  return civilFromDays(static_cast<std::int64_t>(std::floor(serial)) - kSerialOfUnixEpoch);
}

// The date alone, without the time of day.
inline double dateOnly(double serial) {
  return std::floor(serial);
}

}  // namespace vorlin

#include "runtime/posix/local_clock.h"

#include <ctime>

#include "runtime/date.h"

namespace vorlin {

double localNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // The time-zone settings (TZ, the zone file) are looked at again once a second: looking at
  // them costs a file-system lookup, which every 10 ms tick would pay for nothing.
  static std::time_t zoneCheckedAt = 0;
  if (now.tv_sec != zoneCheckedAt) {
    zoneCheckedAt = now.tv_sec;
    tzset();
  }
  std::tm t{};
  if (localtime_r(&now.tv_sec, &t) == nullptr) return 0;
  return serialFromCivil(t.tm_year + 1900, static_cast<unsigned>(t.tm_mon + 1),
                         static_cast<unsigned>(t.tm_mday), static_cast<unsigned>(t.tm_hour),
                         static_cast<unsigned>(t.tm_min), static_cast<unsigned>(t.tm_sec)) +
         static_cast<double>(now.tv_nsec) / 86400e9;
}

std::uint32_t steadyMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace vorlin

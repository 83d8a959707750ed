#include "runtime/posix/clock.h"

#include <ctime>

#include "base/date.h"

namespace vorlin {

double localNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // The local time of the current second is worked out once, when the second begins: the time
  // zone is looked at again then (TZ, the zone file: a file-system lookup), and the 10 ms ticks
  // within the second pay for the read of the clock alone. A clock set forward or back, or a
  // resume from sleep, starts another second at once.
  static std::time_t cachedSecond = -1;
  static double cachedSerial = 0;
  if (now.tv_sec != cachedSecond) {
    tzset();
    std::tm t{};
    if (localtime_r(&now.tv_sec, &t) == nullptr) return 0;
    cachedSecond = now.tv_sec;
    cachedSerial =
        serialFromCivil(t.tm_year + 1900, static_cast<unsigned>(t.tm_mon + 1),
                        static_cast<unsigned>(t.tm_mday), static_cast<unsigned>(t.tm_hour),
                        static_cast<unsigned>(t.tm_min), static_cast<unsigned>(t.tm_sec));
  }
  return cachedSerial + static_cast<double>(now.tv_nsec) / 86400e9;
}

std::uint32_t steadyMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace vorlin

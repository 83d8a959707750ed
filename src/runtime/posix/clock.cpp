#include "runtime/posix/clock.h"

#include <ctime>

#include "base/date.h"

namespace vorlin {

double systemLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // The time zone is looked at afresh (TZ, the zone file), so a new one shows at the next read.
  tzset();
  std::tm t{};
  if (localtime_r(&now.tv_sec, &t) == nullptr) return 0;
  return serialFromCivil(t.tm_year + 1900, static_cast<unsigned>(t.tm_mon + 1),
                         static_cast<unsigned>(t.tm_mday), static_cast<unsigned>(t.tm_hour),
                         static_cast<unsigned>(t.tm_min), static_cast<unsigned>(t.tm_sec)) +
         static_cast<double>(now.tv_nsec) / 86400e9;
}

double PosixClock::now() {
  return time_.at(steadyMilliseconds(), systemLocalTime);
}

std::uint32_t steadyMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace vorlin

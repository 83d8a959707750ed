#include "runtime/posix/local_clock.h"

#include <ctime>

#include "runtime/date.h"

namespace vorlin {

double localNow() {
  const std::time_t seconds = std::time(nullptr);
  // localtime, not localtime_r: it looks at the time-zone settings on every call.
  const std::tm* t = std::localtime(&seconds);
  if (t == nullptr) return 0;
  return serialFromCivil(t->tm_year + 1900, static_cast<unsigned>(t->tm_mon + 1),
                         static_cast<unsigned>(t->tm_mday), static_cast<unsigned>(t->tm_hour),
                         static_cast<unsigned>(t->tm_min), static_cast<unsigned>(t->tm_sec));
}

std::uint32_t steadyMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace vorlin

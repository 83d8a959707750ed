// The clock on Win32: the local date and time, the tick count, and the user locale's month names.
#pragma once

#include <cstdint>

#include "runtime/clock.h"

namespace vorlin::win32 {

class WinClock final : public Clock {
 public:
  // The local time is read from the system at most once a second, and in between carried on by
  // the tick count: under Wine every read of the local time is a request to the system below,
  // a hundred a second for the date watch. A read that would carry the time into another day is
  // made afresh, so the date still changes at midnight to the tick; a clock set forward or back
  // or a new time zone shows within a second.
  double now() override;
  std::uint32_t tickCount() override;
  ShortText formatMonth(double date) override;

 private:
  double readTime_ = 0;  // the local time last read from the system
  std::uint32_t readTick_ = 0;
  bool read_ = false;
};

// The local time as the system gives it, read afresh.
double systemLocalTime();

}  // namespace vorlin::win32

// The clock on Win32: the local date and time, the tick count, and the user locale's month names.
#pragma once

#include <cstdint>

#include "base/carried_time.h"
#include "runtime/clock.h"

namespace vorlin::win32 {

class WinClock final : public Clock {
 public:
  // Carried on by the tick count between reads of the system once a second: under Wine every
  // read of the local time is a request to the system below, a hundred a second for the date
  // watch.
  double now() override;
  std::uint32_t tickCount() override;
  ShortText formatMonth(double date) override;

 private:
  CarriedTime time_;
};

// The local time as the system gives it, read afresh.
double systemLocalTime();

}  // namespace vorlin::win32

// The headless clock: a date, a tick count and month names that the test sets.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/date.h"
#include "runtime/clock.h"

namespace vorlin {

class HeadlessClock final : public Clock {
 public:
  double time = 0;               // the local date and time: days since 30 December 1899
  double (*source)() = nullptr;  // when set, the time is read from here instead
  std::uint32_t ticks = 0;       // advanced by the runtime's ticks, 10 ms each
  std::array<std::string, 12> monthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

  double now() override { return source != nullptr ? source() : time; }
  std::uint32_t tickCount() override { return ticks; }
  ShortText formatMonth(double date) override {
    return ShortText(monthNames[civilFromSerial(date).month - 1]);
  }
};

}  // namespace vorlin

// The clock and the calendar's words: the local date and time, a steady count of milliseconds,
// and the month's name in the user's language.
#pragma once

#include <cstdint>

#include "base/short_text.h"

namespace vorlin {

class Clock {
 public:
  virtual double now() = 0;                        // local date and time: days since 30 Dec 1899
  virtual std::uint32_t tickCount() = 0;           // milliseconds, steady
  virtual ShortText formatMonth(double date) = 0;  // the user locale's abbreviated month, UTF-8

 protected:
  ~Clock() = default;
};

}  // namespace vorlin

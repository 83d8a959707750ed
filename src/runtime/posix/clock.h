// The clock on a POSIX system: the local date and time as the program keeps dates, a steady
// count of milliseconds, and the month names of the user's locale read through the C library.
#pragma once

#include <cstdint>

#include "base/carried_time.h"
#include "base/short_text.h"
#include "base/tick_path.h"
#include "runtime/clock.h"

namespace vorlin {

// Days since 30 December 1899 in local time, the time of day as the fraction, read from the
// system afresh (the time zone looked up again: a file-system lookup).
double systemLocalTime();

// A steady count of milliseconds.
VORLIN_TICK_PATH std::uint32_t steadyMilliseconds();

// The abbreviated month of `date` in the user's LC_TIME locale, in its standalone form where the
// locale has one ("gen." in Catalan, not "de gen."), converted to UTF-8 from the character set of
// that same locale.
ShortText localMonthAbbreviation(double date);

class PosixClock final : public Clock {
 public:
  // Carried on by the steady count between reads of the system once a second, as on every
  // platform: the date watch asks a hundred times a second.
  VORLIN_TICK_PATH double now() override;
  VORLIN_TICK_PATH std::uint32_t tickCount() override { return steadyMilliseconds(); }
  ShortText formatMonth(double date) override { return localMonthAbbreviation(date); }

 private:
  CarriedTime time_;
};

}  // namespace vorlin

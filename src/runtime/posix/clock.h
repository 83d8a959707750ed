// The clock on a POSIX system: the local date and time as the program keeps dates, a steady
// count of milliseconds, and the month names of the user's locale read through the C library.
#pragma once

#include <cstdint>

#include "base/short_text.h"
#include "runtime/clock.h"

namespace vorlin {

// Days since 30 December 1899 in local time, the time of day as the fraction. Every read asks
// the system for the time afresh, so a clock set forward or back or a resume from sleep shows at
// once; a new time zone shows within a second.
double localNow();

// A steady count of milliseconds.
std::uint32_t steadyMilliseconds();

// The abbreviated month of `date` in the user's LC_TIME locale, in its standalone form where the
// locale has one ("gen." in Catalan, not "de gen."), converted to UTF-8 from the character set of
// that same locale.
ShortText localMonthAbbreviation(double date);

class PosixClock final : public Clock {
 public:
  double now() override { return localNow(); }
  std::uint32_t tickCount() override { return steadyMilliseconds(); }
  ShortText formatMonth(double date) override { return localMonthAbbreviation(date); }
};

}  // namespace vorlin

// The clock and the user's locale, read through the C library so that a faked clock applies.
#pragma once

#include <cstdint>

#include "runtime/short_text.h"

namespace vorlin::qt {

// The local date and time: days since 30 December 1899, the time of day as the fraction.
double localNow();
// Milliseconds from a steady clock.
std::uint32_t steadyMilliseconds();
// The abbreviated month of `date` in the LC_TIME locale, converted to UTF-8.
ShortText localMonthAbbreviation(double date);

}  // namespace vorlin::qt

// The local date and time on a POSIX system, as the program keeps dates.
#pragma once

#include <cstdint>

namespace vorlin {

// Days since 30 December 1899 in local time, the time of day as the fraction. Every read asks
// the system for the time afresh, so a clock set forward or back or a resume from sleep shows at
// once; a new time zone shows within a second.
double localNow();

// A steady count of milliseconds.
std::uint32_t steadyMilliseconds();

}  // namespace vorlin

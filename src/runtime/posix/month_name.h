// The month names of the user's locale, read through the C library.
#pragma once

#include <cstdint>

#include "runtime/short_text.h"

namespace vorlin {

// The abbreviated month of `date` in the user's LC_TIME locale, converted to UTF-8 from the
// character set of that same locale.
ShortText localMonthAbbreviation(double date);

}  // namespace vorlin

// The month names of the user's locale, read through the C library.
#pragma once

#include <cstdint>

#include "runtime/short_text.h"

namespace vorlin::qt {

// The abbreviated month of `date` in the LC_TIME locale, converted to UTF-8.
ShortText localMonthAbbreviation(double date);

}  // namespace vorlin::qt

// Device contexts, bitmaps, icons and windows travel through the program as 32-bit handles;
// the 64-bit Windows binding widens them by sign extension, as the platform does.
#pragma once

#include <cstdint>

namespace vorlin {

using Handle = std::int32_t;

}  // namespace vorlin

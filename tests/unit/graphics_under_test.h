// The graphics the composer tests run against: the software stand-in on Linux, the real
// platform calls where a build provides them.
#pragma once

#include "runtime/graphics.h"

namespace vorlin::test {

// Null: the headless runtime's own software stand-in.
Graphics* graphicsUnderTest();

}  // namespace vorlin::test

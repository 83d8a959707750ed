// Under Wine the composer and art tests run against the real graphics calls. Each runtime a test
// makes gets a binding of its own, so that its counts of live objects start at zero.
#include <memory>
#include <vector>

#include "../unit/graphics_under_test.h"
#include "runtime/win32/graphics.h"

namespace vorlin::test {

Graphics* graphicsUnderTest() {
  static std::vector<std::unique_ptr<win32::WinGraphics>> made;
  made.push_back(std::make_unique<win32::WinGraphics>());
  return made.back().get();
}

}  // namespace vorlin::test

#include "graphics_under_test.h"

namespace vorlin::test {

Graphics* graphicsUnderTest() {
  return nullptr;
}

}  // namespace vorlin::test

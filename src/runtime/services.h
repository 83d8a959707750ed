// Everything the portable program needs of the platform.
#pragma once

#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/shell.h"

namespace vorlin {

struct Services {
  Graphics& graphics;
  Shell& shell;
  Forms& forms;
};

}  // namespace vorlin

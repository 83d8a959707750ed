// Everything the portable program needs of the platform.
#pragma once

#include "runtime/clock.h"
#include "runtime/error_report.h"
#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/shell.h"

namespace vorlin {

struct Services {
  Graphics& graphics;
  Shell& shell;
  Forms& forms;
  Clock& clock;
  ErrorReport& errorReport;
};

}  // namespace vorlin

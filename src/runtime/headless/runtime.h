// The headless runtime the tests and benchmarks run the program on: each service kept in memory
// for the test to set and read, graphics from the software stand-in unless others are given, and
// the services the program is handed. The test drives it through `forms`.
#pragma once

#include "runtime/headless/clock.h"
#include "runtime/headless/error_report.h"
#include "runtime/headless/forms.h"
#include "runtime/headless/shell.h"
#include "runtime/services.h"
#include "runtime/soft/graphics.h"

namespace vorlin {

struct HeadlessRuntime {
  // Runs on the software graphics stand-in, or on the graphics given.
  explicit HeadlessRuntime(Graphics* realGraphics = nullptr)
      : graphics(realGraphics != nullptr ? *realGraphics : soft) {}
  HeadlessRuntime(const HeadlessRuntime&) = delete;
  HeadlessRuntime& operator=(const HeadlessRuntime&) = delete;

  SoftGraphics soft;
  Graphics& graphics;
  HeadlessShell shell{graphics};
  HeadlessClock clock;
  HeadlessErrorReport errorReport;
  HeadlessForms forms{graphics, clock, errorReport};
  Services services{graphics, shell, forms, clock, errorReport};
};

}  // namespace vorlin

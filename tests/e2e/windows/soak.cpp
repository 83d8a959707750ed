// A test driver of the real runtime. With a number (10,000 without), the soak: the real program
// on the real graphics and shell calls, refreshed that many times; the binding layer's counts of
// live objects must come back where they were. With "report", the error report of a failure. With
// "failed-start", vorlin.exe's own start on graphics where no picture loads: the report, then the
// status the program ends with.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "program.h"
#include "runtime/win32/clock.h"
#include "runtime/win32/error_report.h"
#include "runtime/win32/forms.h"
#include "runtime/win32/graphics.h"
#include "runtime/win32/shell.h"
#include "support/failing_graphics.h"
#include "support/soak.h"

namespace {

// What vorlin.exe's WinMain does, on graphics where no picture loads.
int failedStart() {
  vorlin::win32::WinGraphics real;
  vorlin::test::FailingGraphics graphics(real);
  graphics.broken = "loadPicture";
  graphics.failure = vorlin::Status{vorlin::kOutOfMemory, "Out of memory"};
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, GetModuleHandleW(nullptr));
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);
  if (const std::optional<int> ended = program.launch()) return *ended;
  return forms.run();
}

void print(const char* when, const vorlin::LiveObjects& live) {
  std::printf("%-28s device contexts %d, bitmaps %d, icons %d\n", when, live.dcs, live.bitmaps,
              live.icons);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "failed-start") == 0) return failedStart();
  vorlin::win32::WinGraphics graphics;
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, GetModuleHandleW(nullptr));
  vorlin::Services services{graphics, shell, forms, clock, errorReport};

  if (argc == 2 && std::strcmp(argv[1], "report") == 0) {
    errorReport.reportError(
        vorlin::Status{vorlin::kInvalidArgument, "Invalid procedure call or argument: déc."});
    return 0;
  }

  const long refreshes = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 10000;
  if (refreshes <= 0) return 2;
  const vorlin::test::SoakCounts counts = vorlin::test::soak(services, refreshes);
  print("before the start", counts.before);
  print("host window loaded", counts.started);
  print("after the first refresh", counts.first);
  const std::string more = "after " + std::to_string(refreshes) + " more refreshes";
  print(more.c_str(), counts.last);
  print("after Close", counts.closed);
  if (!counts.ran) return 1;
  const bool flat = counts.flat() && counts.first.icons == 1;
  std::printf("%s\n", flat ? "flat" : "LEAK");
  return flat ? 0 : 1;
}

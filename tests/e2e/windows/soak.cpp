// A test driver of the real runtime. With no argument, the soak: the real program on the real
// graphics and shell calls, refreshed 10,000 times; the binding layer's counts of live objects
// must come back where they were. With "report", the error report of a failure.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "program.h"
#include "runtime/win32/clock.h"
#include "runtime/win32/error_report.h"
#include "runtime/win32/forms.h"
#include "runtime/win32/graphics.h"
#include "runtime/win32/shell.h"

namespace {

void print(const char* when, const vorlin::LiveObjects& live) {
  std::printf("%-28s device contexts %d, bitmaps %d, icons %d\n", when, live.dcs, live.bitmaps,
              live.icons);
}

}  // namespace

int main(int argc, char** argv) {
  vorlin::win32::WinGraphics graphics;
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, GetModuleHandleW(nullptr));
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);

  if (argc == 2 && std::strcmp(argv[1], "report") == 0) {
    errorReport.reportError(
        vorlin::Status{vorlin::kInvalidArgument, "Invalid procedure call or argument: déc."});
    return 0;
  }

  const vorlin::LiveObjects before = graphics.liveObjects();
  print("before the start", before);
  if (program.start().failed()) return 1;
  print("host window loaded", graphics.liveObjects());
  if (program.mDate.refreshTrayIcon().failed()) return 1;
  const vorlin::LiveObjects first = graphics.liveObjects();
  print("after the first refresh", first);
  for (int i = 0; i < 10000; ++i) {
    program.mDate.colourIndex = static_cast<std::int16_t>(i % 6);
    if (program.mDate.refreshTrayIcon().failed()) return 1;
  }
  const vorlin::LiveObjects after = graphics.liveObjects();
  print("after 10,000 more refreshes", after);
  // Close: the entry goes, the window and its pictures are unloaded.
  vorlin::raise(errorReport, program.frmDate,
                vorlin::Event{vorlin::EventKind::Click, vorlin::FrmDate::kMnuClose});
  const vorlin::LiveObjects closed = graphics.liveObjects();
  print("after Close", closed);
  const bool flat = after == first && closed == before && first.icons == 1;
  std::printf("%s\n", flat ? "flat" : "LEAK");
  return flat ? 0 : 1;
}

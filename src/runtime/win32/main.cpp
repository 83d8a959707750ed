// vorlin.exe: the program on the real Win32 platform.
#include <windows.h>

#include "program.h"
#include "runtime/win32/clock.h"
#include "runtime/win32/error_report.h"
#include "runtime/win32/forms.h"
#include "runtime/win32/graphics.h"
#include "runtime/win32/shell.h"

// A pure virtual function is never called; this stands in for the runtime library's handler,
// which would bring its whole diagnostics machinery into the program.
extern "C" void __cxa_pure_virtual() {
  ExitProcess(3);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vorlin::win32::WinGraphics graphics;
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, instance);
  forms.driveOnTimer(shell.promotion());
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);
  if (const std::optional<int> ended = program.launch()) return *ended;
  return forms.run();
}

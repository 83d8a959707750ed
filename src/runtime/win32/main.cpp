// vorlin.exe: the program on the real Win32 platform.
#include <windows.h>

#include "app/program.h"
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
  vorlin::win32::WinForms forms(graphics, instance);
  vorlin::Services services{graphics, shell, forms};
  vorlin::Program program(services);
  if (const vorlin::Status s = program.start(); s.failed()) forms.reportError(s);
  return forms.run();
}

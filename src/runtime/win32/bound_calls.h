// Every platform entry point the runtime binds by name, declared once, by library, each typed
// from the platform's own declaration. Bound are the graphics and icon calls of the graphics
// service, the shell's notification-area call and the registry calls of its settings for the
// entry (tray_promotion), and the calls a system may lack (those of DPIs per window, and the
// common controls, loaded only when the first window with controls is); every other call is
// made directly.
#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include "runtime/win32/binding.h"

// A member `name` of a library's table: the entry point `name` of `library`, typed as the
// platform declares it.
#define VORLIN_BOUND_CALL(library, name)      \
  static constexpr char name##Name[] = #name; \
  Bound<decltype(&::name), library, name##Name> name

namespace vorlin::win32 {

struct Gdi32Calls {
  VORLIN_BOUND_CALL(kGdi32, CreateCompatibleDC);
  VORLIN_BOUND_CALL(kGdi32, CreateCompatibleBitmap);
  VORLIN_BOUND_CALL(kGdi32, SelectObject);
  VORLIN_BOUND_CALL(kGdi32, BitBlt);
  VORLIN_BOUND_CALL(kGdi32, CreateBitmap);
  VORLIN_BOUND_CALL(kGdi32, DeleteObject);
  VORLIN_BOUND_CALL(kGdi32, DeleteDC);
  VORLIN_BOUND_CALL(kGdi32, GetObjectType);
  VORLIN_BOUND_CALL(kGdi32, GetCurrentObject);
  VORLIN_BOUND_CALL(kGdi32, CreateDIBSection);
};

struct User32Calls {
  VORLIN_BOUND_CALL(kUser32, CreateIconIndirect);
  VORLIN_BOUND_CALL(kUser32, DestroyIcon);
  VORLIN_BOUND_CALL(kUser32, SystemParametersInfoForDpi);
  VORLIN_BOUND_CALL(kUser32, GetDpiForWindow);
  VORLIN_BOUND_CALL(kUser32, GetSystemMetricsForDpi);
};

struct Comctl32Calls {
  VORLIN_BOUND_CALL(kComctl32, InitCommonControlsEx);
};

struct Shell32Calls {
  VORLIN_BOUND_CALL(kShell32, Shell_NotifyIconA);
};

struct Advapi32Calls {
  VORLIN_BOUND_CALL(kAdvapi32, RegOpenKeyExW);
  VORLIN_BOUND_CALL(kAdvapi32, RegEnumKeyExW);
  VORLIN_BOUND_CALL(kAdvapi32, RegGetValueW);
  VORLIN_BOUND_CALL(kAdvapi32, RegSetKeyValueW);
  VORLIN_BOUND_CALL(kAdvapi32, RegCloseKey);
};

// A library's table of bound calls (Gdi32Calls, ...), bound entry by entry at the first call and
// kept for the run; each table is defined once, in bound_calls.cpp.
template <class Library>
Library& bound();

#define VORLIN_BOUND_TABLE(Library)  \
  extern Library the##Library;       \
  template <>                        \
  inline Library& bound<Library>() { \
    return the##Library;             \
  }
VORLIN_BOUND_TABLE(Gdi32Calls)
VORLIN_BOUND_TABLE(User32Calls)
VORLIN_BOUND_TABLE(Comctl32Calls)
VORLIN_BOUND_TABLE(Shell32Calls)
VORLIN_BOUND_TABLE(Advapi32Calls)

}  // namespace vorlin::win32

#undef VORLIN_BOUND_TABLE
#undef VORLIN_BOUND_CALL

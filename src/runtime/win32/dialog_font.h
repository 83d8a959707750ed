// The font of the controls of a window: the system's message font at the window's DPI.
#pragma once

#include <windows.h>

#include "base/status.h"

namespace vorlin::win32 {

// The message font at `dpi`, for the caller to own (OwnedHFONT::take); a failure when the system
// cannot make it.
Result<HFONT> createDialogFont(UINT dpi);

// The stock font of dialogs, for where the message font cannot be made; the system's, never
// released.
inline HFONT stockDialogFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The pixels an inch of the screen, as the system was started with.
UINT systemDpi();

}  // namespace vorlin::win32

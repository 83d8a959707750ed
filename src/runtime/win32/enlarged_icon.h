// The date icon at the size the notification area shows it: SM_CXSMICON at the tray's DPI, made
// from the composed 16 × 16 icon by whole-pixel enlargement.
#pragma once

#include <windows.h>

#include "runtime/win32/owners.h"

namespace vorlin::win32 {

// The side of the small icons of the notification area, in pixels, at the tray's DPI.
int trayIconSize();

// `icon`, 16 × 16, enlarged to `size` × `size`; empty when it cannot be read or made.
OwnedHICON enlargedIcon(HICON icon, int size);

}  // namespace vorlin::win32

// The date icon at the size the notification area shows it: SM_CXSMICON at the tray's DPI, made
// from the composed 16 × 16 icon by whole-pixel enlargement.
#pragma once

#include <windows.h>

#include "base/status.h"

namespace vorlin::win32 {

// The side of the small icons of the notification area, in pixels, at the tray's DPI.
int trayIconSize();

// The sizes the icon is made at: up to four times 16. A larger tray gets the 16 × 16 icon, which
// the shell scales.
inline constexpr int kLargestTraySizeIcon = 64;

// `icon`, 16 × 16, enlarged by whole pixels to `size` × `size` (1 to kLargestTraySizeIcon), for
// the caller to own (OwnedHICON::take); a failure when it cannot be read or made.
Result<HICON> createTraySizeIcon(HICON icon, int size);

}  // namespace vorlin::win32

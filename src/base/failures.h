// The failures that more than one part of the program reports, or more than one runtime: each
// with its code and the one text the error report shows for it.
#pragma once

#include "base/status.h"

namespace vorlin {

// A control, or an element of a control array, that the window does not have.
inline constexpr Status kNoSuchElement{kControlArrayElementMissing,
                                       "Control array element doesn't exist"};
// Every window slot of the runtime is taken.
inline constexpr Status kTooManyWindows{kOutOfMemory, "Out of memory: too many windows"};
// The window's own Load handler unloaded it before it could be used.
inline constexpr Status kUnloadedWhileLoading{kWindowFailure,
                                              "The window was unloaded while it loaded"};
// Single-precision arithmetic on measures gave no finite number.
inline constexpr Status kFloatingPointFailure{kOverflow,
                                              "Floating-point error: invalid operation, "
                                              "division by zero or overflow"};
// Releases the platform refused: the handle was no live object of the call's kind (a bitmap
// still selected into a device context is not deleted either).
inline constexpr Status kDeleteObjectFailed{kInvalidArgument,
                                            "Invalid procedure call or argument: "
                                            "gdi32: DeleteObject failed"};
inline constexpr Status kDeleteDCFailed{
    kInvalidArgument, "Invalid procedure call or argument: gdi32: DeleteDC failed"};
inline constexpr Status kDestroyIconFailed{kInvalidArgument,
                                           "Invalid procedure call or argument: "
                                           "user32: DestroyIcon failed"};
// The handle given to read an icon back is no icon that can be read.
inline constexpr Status kNoSuchIcon{kInvalidArgument,
                                    "Invalid procedure call or argument: no such icon"};

}  // namespace vorlin

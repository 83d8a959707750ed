#include "runtime/win32/bound_calls.h"

namespace vorlin::win32 {

// Each table is all zeros until its first call, and so is kept in zero-filled memory rather than
// in the program file: MinGW's GCC puts a variable in a section of its own (-fdata-sections) among
// the initialised data, zeros or not.
#define VORLIN_ZERO_FILLED [[gnu::section(".bss")]] constinit
VORLIN_ZERO_FILLED Gdi32Calls theGdi32Calls;
VORLIN_ZERO_FILLED User32Calls theUser32Calls;
VORLIN_ZERO_FILLED Comctl32Calls theComctl32Calls;
VORLIN_ZERO_FILLED Shell32Calls theShell32Calls;
VORLIN_ZERO_FILLED Advapi32Calls theAdvapi32Calls;
#undef VORLIN_ZERO_FILLED

}  // namespace vorlin::win32

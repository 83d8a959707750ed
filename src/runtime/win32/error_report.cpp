#include "runtime/win32/error_report.h"

#include <windows.h>

#include "runtime/win32/text.h"

namespace vorlin::win32 {

void WinErrorReport::reportError(const Status& failure) {
  MessageBoxW(nullptr, wide(ErrorReportText(failure).view()).c_str(),
              wide(kErrorReportTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace vorlin::win32

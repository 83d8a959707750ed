// The error report on Win32: a message box naming the failure.
#pragma once

#include "runtime/error_report.h"

namespace vorlin::win32 {

class WinErrorReport final : public ErrorReport {
 public:
  void reportError(const Status& failure) override;
};

}  // namespace vorlin::win32

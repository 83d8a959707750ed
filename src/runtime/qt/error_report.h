// The standard error report: a message box naming the failure.
#pragma once

#include "runtime/error_report.h"

namespace vorlin::qt {

class QtErrorReport final : public ErrorReport {
 public:
  void reportError(const Status& failure) override;
};

}  // namespace vorlin::qt

// The standard error report: a message box naming the failure.
#pragma once

#include "runtime/status.h"

namespace vorlin::qt {

void showErrorReport(const Status& failure);

}  // namespace vorlin::qt

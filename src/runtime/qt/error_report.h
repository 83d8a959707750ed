// The standard error report: a message box naming the failure, written to standard error too.
#pragma once

#include <QMessageBox>
#include <memory>

#include "runtime/error_report.h"
#include "runtime/qt/platform/owners.h"

namespace vorlin::qt {

// Writes the report of `failure` where the session keeps its programs' messages, for a report
// nobody saw.
void logReport(const Status& failure);

// The report of `failure` as a message box of its own that leaves the program's windows usable,
// for a report that may stop being true while it is shown.
std::unique_ptr<QMessageBox, LaterDeleter> showReport(const Status& failure);

class QtErrorReport final : public ErrorReport {
 public:
  void reportError(const Status& failure) override;
};

}  // namespace vorlin::qt

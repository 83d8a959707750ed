// The report that the desktop shows no notification area, while it is true: written to standard
// error once, and shown in a message box by a process of its own (own_process.h), or by the
// program itself where that process cannot start. The box goes when a tray comes.
#pragma once

#include <QMessageBox>
#include <memory>

#include "runtime/qt/own_process.h"
#include "runtime/qt/owners.h"

namespace vorlin::qt {

// The argument that starts the program as the report's process.
inline constexpr char kNoTrayReportArgument[] = "--no-tray-report";

class NoTrayReport {
 public:
  NoTrayReport();
  ~NoTrayReport();
  NoTrayReport(const NoTrayReport&) = delete;
  NoTrayReport& operator=(const NoTrayReport&) = delete;

 private:
  std::unique_ptr<OwnProcess> process_;
  std::unique_ptr<QMessageBox, LaterDeleter> box_;  // where no process could start
};

// The report's process: shows the box until the user closes it or the program lets it go.
int runNoTrayReport();

}  // namespace vorlin::qt

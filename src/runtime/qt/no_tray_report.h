// The report that the desktop shows no notification area, while it is true: written to standard
// error once, and shown in a message box that goes when a tray comes.
#pragma once

#include <QMessageBox>
#include <memory>

#include "runtime/qt/platform/owners.h"

namespace vorlin::qt {

class NoTrayReport {
 public:
  NoTrayReport();
  ~NoTrayReport();
  NoTrayReport(const NoTrayReport&) = delete;
  NoTrayReport& operator=(const NoTrayReport&) = delete;

 private:
  std::unique_ptr<QMessageBox, LaterDeleter> box_;
};

}  // namespace vorlin::qt

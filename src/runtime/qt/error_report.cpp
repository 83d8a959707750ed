#include "runtime/qt/error_report.h"

#include <QMessageBox>
#include <QString>
#include <cstdio>

namespace vorlin::qt {

void QtErrorReport::reportError(const Status& failure) {
  const std::string_view text = ErrorReportText(failure).view();
  // Also where the session keeps its programs' messages, for a report nobody saw.
  std::fprintf(stderr, "vorlin: %.*s\n", static_cast<int>(text.size()), text.data());
  QMessageBox::critical(nullptr,
                        QString::fromUtf8(kErrorReportTitle.data(), kErrorReportTitle.size()),
                        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace vorlin::qt

#include "runtime/qt/error_report.h"

#include <QMessageBox>
#include <QString>

namespace vorlin::qt {

void QtErrorReport::reportError(const Status& failure) {
  const std::string_view text = ErrorReportText(failure).view();
  QMessageBox::critical(nullptr,
                        QString::fromUtf8(kErrorReportTitle.data(), kErrorReportTitle.size()),
                        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace vorlin::qt

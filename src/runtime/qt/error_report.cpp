#include "runtime/qt/error_report.h"

#include <QMessageBox>
#include <QString>
#include <cstdio>

namespace vorlin::qt {

namespace {

// The report's text, written also where the session keeps its programs' messages, for a report
// nobody saw.
QString logged(const Status& failure) {
  const std::string_view text = ErrorReportText(failure).view();
  std::fprintf(stderr, "vorlin: %.*s\n", static_cast<int>(text.size()), text.data());
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString title() {
  return QString::fromUtf8(kErrorReportTitle.data(), kErrorReportTitle.size());
}

}  // namespace

void QtErrorReport::reportError(const Status& failure) {
  const QString text = logged(failure);
  QMessageBox::critical(nullptr, title(), text);
}

std::unique_ptr<QMessageBox, LaterDeleter> showReport(const Status& failure) {
  std::unique_ptr<QMessageBox, LaterDeleter> box(
      new QMessageBox(QMessageBox::Critical, title(), logged(failure), QMessageBox::Ok));
  box->setWindowModality(Qt::NonModal);
  box->show();
  return box;
}

}  // namespace vorlin::qt

#include "runtime/qt/error_report.h"

#include <QMessageBox>
#include <QString>
#include <cstdio>

namespace vorlin::qt {

namespace {

QString title() {
  return QString::fromUtf8(kErrorReportTitle.data(), kErrorReportTitle.size());
}

QString text(const Status& failure) {
  const std::string_view text = ErrorReportText(failure).view();
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void logReport(const Status& failure) {
  const std::string_view text = ErrorReportText(failure).view();
  std::fprintf(stderr, "vorlin: %.*s\n", static_cast<int>(text.size()), text.data());
}

void QtErrorReport::reportError(const Status& failure) {
  logReport(failure);
  QMessageBox::critical(nullptr, title(), text(failure));
}

std::unique_ptr<QMessageBox, LaterDeleter> showReport(const Status& failure) {
  std::unique_ptr<QMessageBox, LaterDeleter> box(
      new QMessageBox(QMessageBox::Critical, title(), text(failure), QMessageBox::Ok));
  box->setWindowModality(Qt::NonModal);
  box->show();
  return box;
}

}  // namespace vorlin::qt

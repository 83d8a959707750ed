#include "runtime/qt/error_report.h"

#include <QMessageBox>
#include <QString>

namespace vorlin::qt {

void showErrorReport(const Status& failure) {
  const std::string_view message = failure.message();
  const QString text =
      QStringLiteral("Run-time error '%1':\n\n%2")
          .arg(failure.code())
          .arg(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
  QMessageBox::critical(nullptr, QStringLiteral("Vorlin"), text);
}

}  // namespace vorlin::qt

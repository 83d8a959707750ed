#include "runtime/qt/no_tray_report.h"

#include <QStringList>

#include "runtime/qt/error_report.h"
#include "runtime/qt/platform/freed_memory.h"

namespace vorlin::qt {
namespace {

// What the user sees instead of the date, and what to do. On GNOME the desktop's own extension
// gives a notification area.
constexpr Status kNoNotificationArea{
    kWindowFailure,
    "This desktop shows no notification area, so the date cannot appear. Vorlin waits and shows "
    "it as soon as a panel with one starts. To stop Vorlin starting at login, turn it off in the "
    "desktop's settings for programs started at login (man vorlin)."};
constexpr Status kNoNotificationAreaOnGnome{
    kWindowFailure,
    "This desktop shows no notification area, so the date cannot appear. Turn on GNOME's "
    "AppIndicator extension (Debian package gnome-shell-extension-appindicator) and the date "
    "appears, without restarting Vorlin. To stop Vorlin starting at login, see man vorlin."};

const Status& noNotificationArea() {
  const QStringList desktops =
      qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
  return desktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive) ? kNoNotificationAreaOnGnome
                                                                        : kNoNotificationArea;
}

}  // namespace

NoTrayReport::NoTrayReport() {
  const Status& report = noNotificationArea();
  logReport(report);
  box_ = showReport(report);
  giveBackFreedMemoryOnceDrawn(*box_);
}

NoTrayReport::~NoTrayReport() {
  box_->hide();
}

}  // namespace vorlin::qt

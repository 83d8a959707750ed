// The Linux desktop program: the portable program on the Qt runtime.
#include <QApplication>
#include <cstdio>
#include <string>

#include "art/artwork.h"
#include "program.h"
#include "runtime/posix/clock.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/forms/forms.h"
#include "runtime/qt/pictures/icon_image.h"
#include "runtime/qt/pictures/whole_pixel_icon.h"
#include "runtime/qt/platform/display_check.h"
#include "runtime/qt/platform/end_signals.h"
#include "runtime/qt/shell.h"
#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"
#include "runtime/qt/tray/status_notifier/stale_icon_folders.h"
#include "runtime/soft/graphics.h"

int main(int argc, char** argv) {
  if (const std::string problem = vorlin::qt::displayProblem(); !problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 1;
  }
  // Qt's own event loop rather than GLib's: the program waits on it a hundred times a second
  // for years, and GLib's prepare, check and dispatch of each source, under its locks, were half
  // of the instructions of each wake-up. The program runs no GLib code that needs its loop.
  qputenv("QT_NO_GLIB", "1");
  // The program takes no options, Qt's own (-platform, -display, -reverse, ...) neither: Qt is
  // given the program's name alone.
  char name[] = "vorlin";
  int qtArgc = 1;
  char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : name, nullptr};
  QApplication application(qtArgc, qtArgv);
  QApplication::setApplicationName(QStringLiteral("vorlin"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vorlin"));
  QApplication::setWindowIcon(
      vorlin::qt::iconSet(vorlin::qt::imageOfPicture(vorlin::art::programIcon())));
  // The hidden host window keeps the program going; it ends when no window is loaded.
  QApplication::setQuitOnLastWindowClosed(false);
  // The icon folders of runs that were killed or crashed; a running one's stay.
  for (const QString& base : vorlin::qt::iconFoldersBases())
    vorlin::qt::removeStaleIconFolders(base);

  vorlin::SoftGraphics graphics;
  vorlin::PosixClock clock;
  vorlin::qt::QtErrorReport errorReport;
  vorlin::qt::QtForms forms(graphics, errorReport);
  vorlin::qt::QtShell shell(forms, graphics, errorReport);
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);
  // SIGTERM, SIGINT and SIGHUP end the program as Close does, from the event loop.
  vorlin::qt::EndSignals endSignals([&program] { program.endFromOutside(); });

  if (const std::optional<int> ended = program.launch()) return *ended;
  return QApplication::exec();
}

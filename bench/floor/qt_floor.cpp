// The floor for the idle cost of the Linux program: a tray icon and a 10 ms timer that does
// nothing else.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(QColor(192, 192, 192));
  QSystemTrayIcon tray(QIcon(QPixmap::fromImage(image)));
  tray.setToolTip("floor");
  tray.show();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [] {});
  timer.start(10);
  return app.exec();
}

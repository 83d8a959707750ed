// The floor for the idle cost of the Linux program: a tray icon and a 10 ms timer that does
// nothing else. The icon is gray in a one-pixel black frame, a picture bench/start_to_icon
// finds on the screen.
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
  for (int i = 0; i < 16; ++i) {
    for (const QPoint p : {QPoint(i, 0), QPoint(i, 15), QPoint(0, i), QPoint(15, i)})
      image.setPixel(p, qRgb(0, 0, 0));
  }
  QSystemTrayIcon tray(QIcon(QPixmap::fromImage(image)));
  tray.setToolTip("floor");
  tray.show();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [] {});
  timer.start(10);
  return app.exec();
}

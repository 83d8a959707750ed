// Shows a tooltip with the text given, as any Qt program on this desktop draws it: the reference
// against which the tray entry's tip is read.
#include <QApplication>
#include <QTimer>
#include <QToolTip>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 4) return 2;
  const QPoint at(std::atoi(argv[2]), std::atoi(argv[3]));
  const QString text = QString::fromUtf8(argv[1]);
  QTimer::singleShot(0, [&] { QToolTip::showText(at, text); });
  return QApplication::exec();
}

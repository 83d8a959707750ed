// The floor for the time the Linux program takes to show its dialog: a minimal Qt dialog of the
// same controls (six options, two buttons, at the same places) and a window icon of the same
// sizes, made and shown when a host sends the menu's "clicked" event on the bus, as the program's
// item is sent it, and deleted by Cancel.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int kTwipsPerPixel = 15;

QRect place(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

class Menu : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")

 public slots:
  void Event(int, const QString& eventId, const QDBusVariant&, uint) {
    if (eventId != QLatin1String("clicked") || dialog_ != nullptr) return;
    dialog_ = new QWidget(nullptr, Qt::Window);
    dialog_->setWindowTitle(QStringLiteral("Vorlin Properties"));
    dialog_->resize(2955 / kTwipsPerPixel, 2070 / kTwipsPerPixel);
    const char* captions[] = {"Gray", "Blue", "Purple", "Yellow", "Red", "White"};
    for (int i = 0; i < 6; ++i) {
      auto* option = new QRadioButton(QString::fromLatin1(captions[i]), dialog_);
      option->setGeometry(place(i < 3 ? 360 : 1440, 240 + 360 * (i % 3), 1455, 255));
      option->setChecked(i == 0);
    }
    (new QPushButton(QStringLiteral("&OK"), dialog_))->setGeometry(place(360, 1440, 855, 375));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), dialog_);
    cancel->setGeometry(place(1440, 1440, 855, 375));
    connect(cancel, &QPushButton::clicked, this, [this] {
      dialog_->deleteLater();
      dialog_ = nullptr;
    });
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    dialog_->move((screen.width() - dialog_->width()) / 2,
                  (screen.height() - dialog_->height()) / 2);
    dialog_->show();
  }

 private:
  QWidget* dialog_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_NO_GLIB", "1");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The program's windows carry its icon at each size of the desktop's icon theme.
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(192, 192, 192));
    icon.addPixmap(pixmap);
  }
  QApplication::setWindowIcon(icon);
  Menu menu;
  QDBusConnection::sessionBus().registerObject(QStringLiteral("/MenuBar"), &menu,
                                               QDBusConnection::ExportAllSlots);
  return app.exec();
}

#include "qt_dialog_floor.moc"

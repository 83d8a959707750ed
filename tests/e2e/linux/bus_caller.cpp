// Asks a StatusNotifierItem for its context menu many times in a row, as a host or any program of
// the session can, without waiting between the calls; ends once every call has an answer. Prints
// how many were answered with an error.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 4) return 2;
  const QString service = QString::fromUtf8(argv[1]);
  const QString path = QString::fromUtf8(argv[2]);
  const int count = std::atoi(argv[3]);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return 3;
  int answered = 0;
  int errors = 0;
  for (int i = 0; i < count; ++i) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("ContextMenu"));
    call << 400 << 300;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 60000), &application);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [&](QDBusPendingCallWatcher* w) {
      if (w->isError()) ++errors;
      if (++answered == count) QCoreApplication::quit();
      w->deleteLater();
    });
  }
  QCoreApplication::exec();
  std::printf("%d errors\n", errors);
  return 0;
}

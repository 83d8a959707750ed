// Sends the menu's "clicked" event of entry 1 (Properties) to the bus name on each line of its
// input, from one connection made once, as a host sends it, and writes the moment it was sent
// (CLOCK_MONOTONIC, in milliseconds) on its output: bench/dialog_shown's trigger, without the
// start of a process in what it measures.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <ctime>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  for (std::string name; std::getline(std::cin, name);) {
    QDBusMessage event = QDBusMessage::createMethodCall(
        QString::fromStdString(name), QStringLiteral("/MenuBar"),
        QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"));
    event << 1 << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    bus.call(event, QDBus::Block);
    std::cout << now.tv_sec * 1000.0 + now.tv_nsec / 1e6 << std::endl;
  }
  return 0;
}

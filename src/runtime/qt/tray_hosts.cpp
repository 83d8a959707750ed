#include "runtime/qt/tray_hosts.h"

#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "runtime/qt/owners.h"

namespace vorlin::qt {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
// How long an embedding tray that appeared while the program runs is given for its panel's
// watcher to register too, and how often a missing host is looked for.
constexpr qint64 kWatcherGraceMs = 500;
constexpr int kPollMs = 100;

}  // namespace

TrayHosts::TrayHosts(std::function<void()> appeared, std::function<void()> watcherChanged)
    : appeared_(std::move(appeared)),
      watcherChanged_(std::move(watcherChanged)),
      watcher_(kWatcher, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange) {
  QObject::connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
    if (poll_.isActive()) check();
    watcherChanged_();
  });
  poll_.setInterval(kPollMs);
  QObject::connect(&poll_, &QTimer::timeout, this, [this] { check(); });
}

bool TrayHosts::watcherRegistered() const {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  if (!bus.interface()->isServiceRegistered(kWatcher).value()) return false;
  // A watcher serves only once a host has registered with it. Asked with a plain call:
  // an interface object would keep what it learnt of the watcher until the program ends.
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcher, QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusReply<QDBusVariant> registered = bus.call(get);
  return registered.isValid() && registered.value().variant().toBool();
}

bool TrayHosts::embeddingTray() const {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  static const char kSelection[] = "_NET_SYSTEM_TRAY_S0";
  const auto atom = ownedReply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, sizeof kSelection - 1, kSelection), nullptr));
  if (!atom) return false;
  const auto owner = ownedReply(xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
  return owner && owner->owner != XCB_NONE;
}

bool TrayHosts::mayAskQt(bool first) {
  if (!embeddingTray()) {
    embeddingSince_.invalidate();
    return false;
  }
  // An embedding tray there from the start is the session's tray; one that appears later may be
  // a panel whose watcher is on its way.
  if (first) embeddingAtStart_ = true;
  if (embeddingAtStart_) return true;
  if (!embeddingSince_.isValid()) embeddingSince_.start();
  return embeddingSince_.elapsed() >= kWatcherGraceMs;
}

TrayKind TrayHosts::available() {
  const bool first = firstQuery_;
  firstQuery_ = false;
  if (watcherRegistered()) return TrayKind::StatusNotifier;
  if (!settled_ && !mayAskQt(first)) return TrayKind::None;
  settled_ = true;
  return QSystemTrayIcon::isSystemTrayAvailable() ? TrayKind::Embedding : TrayKind::None;
}

void TrayHosts::waitForHost() {
  if (!poll_.isActive()) poll_.start();
}

void TrayHosts::check() {
  if (available() == TrayKind::None) return;
  poll_.stop();
  appeared_();
}

}  // namespace vorlin::qt

#include "runtime/qt/tray/tray_hosts.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace vorlin::qt {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kBus = QStringLiteral("org.freedesktop.DBus");
// How long a question may go unanswered before the bus gives it up. A watcher that hangs is asked
// again then: its answer, when it comes, is the one to the question still open.
constexpr int kAnswerTimeoutMs = 25000;
// How long the program waits for a tray before it tells the user there is none.
constexpr int kFirstWaitMs = 10000;

// Calls `method` on the bus; `answer` is given the reply when it comes, on this thread.
void askLater(QDBusConnection& bus, QObject* context, const QDBusMessage& method,
              std::function<void(const QDBusMessage&)> answer) {
  auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(method, kAnswerTimeoutMs), context);
  QObject::connect(pending, &QDBusPendingCallWatcher::finished, context,
                   [answer = std::move(answer)](QDBusPendingCallWatcher* call) {
                     call->deleteLater();
                     answer(call->reply());
                   });
}

}  // namespace

TrayHosts::TrayHosts(std::function<void()> changed, std::function<void()> noneFound)
    : bus_(QDBusConnection::sessionBus()),
      watcher_(kWatcher, bus_, QDBusServiceWatcher::WatchForOwnerChange),
      embedding_([this] { mayHaveChanged(); }),
      changed_(std::move(changed)),
      noneFound_(std::move(noneFound)) {
  QObject::connect(
      &watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
      [this](const QString&, const QString&, const QString& owner) { ownerChanged(owner); });
  // From whichever client sends them: a false notice costs one more registration.
  bus_.connect(QString(), kWatcherPath, kWatcher, QStringLiteral("StatusNotifierHostRegistered"),
               this, SLOT(hostRegistered()));
  bus_.connect(QString(), kWatcherPath, kWatcher, QStringLiteral("StatusNotifierHostUnregistered"),
               this, SLOT(hostUnregistered()));
  // The owner now; the bus sends its answer after any change it told of before.
  QDBusMessage owner = QDBusMessage::createMethodCall(kBus, QStringLiteral("/org/freedesktop/DBus"),
                                                      kBus, QStringLiteral("GetNameOwner"));
  owner << kWatcher;
  if (bus_.isConnected()) {
    askLater(bus_, this, owner, [this](const QDBusMessage& reply) {
      if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        ownerChanged(reply.arguments().constFirst().toString());
      }
    });
  }
  firstWait_.setSingleShot(true);
  firstWait_.setInterval(kFirstWaitMs);
  QObject::connect(&firstWait_, &QTimer::timeout, this, [this] {
    if (!seen_ && noneFound_) noneFound_();
  });
  firstWait_.start();
  seen_ = embedding_.owner() != 0;
}

TrayKind TrayHosts::available() const {
  if (!owner_.isEmpty() && hosted_ == Hosted::Yes) return TrayKind::StatusNotifier;
  // An embedding tray is taken only where no watcher is there, or one that has answered that it
  // has no host: on a desktop that offers both, the entry is the item from the start.
  if (embedding_.owner() != 0 && (owner_.isEmpty() || hosted_ == Hosted::No)) {
    return TrayKind::Embedding;
  }
  return TrayKind::None;
}

void TrayHosts::ownerChanged(const QString& owner) {
  if (owner == owner_) return;
  owner_ = owner;
  ++question_;  // an answer of the watcher before is no answer for this one
  hosted_ = owner_.isEmpty() ? Hosted::No : Hosted::Unknown;
  if (!owner_.isEmpty()) askHosted();
  mayHaveChanged();
}

void TrayHosts::askHosted() {
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  get.setAutoStartService(false);
  const unsigned question = question_;
  askLater(bus_, this, get, [this, question](const QDBusMessage& reply) {
    if (question != question_) return;
    if (reply.type() == QDBusMessage::ErrorMessage &&
        (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
         reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.Timeout"))) {
      askHosted();  // the watcher hangs; the question stays open
      return;
    }
    const QList<QVariant> args = reply.arguments();
    answered(reply.type() == QDBusMessage::ReplyMessage && args.size() == 1 &&
             args[0].value<QDBusVariant>().variant().toBool());
  });
}

void TrayHosts::answered(bool hosted) {
  if (hosted && hosted_ != Hosted::Yes) ++generation_;
  hosted_ = hosted ? Hosted::Yes : Hosted::No;
  mayHaveChanged();
}

void TrayHosts::hostRegistered() {
  if (owner_.isEmpty()) return;
  ++question_;
  ++generation_;  // a host that registers reads the items anew: each is told again
  hosted_ = Hosted::Yes;
  mayHaveChanged();
}

void TrayHosts::hostUnregistered() {
  if (owner_.isEmpty()) return;
  ++question_;
  askHosted();  // another host may still be there
}

void TrayHosts::mayHaveChanged() {
  if (available() != TrayKind::None || (!owner_.isEmpty() && hosted_ == Hosted::Unknown)) {
    seen_ = true;
  }
  if (changed_) changed_();
}

}  // namespace vorlin::qt

// Which notification-area host is there to take the entries: a StatusNotifierItem host, which
// the program's own items serve, or an embedding tray (XEmbed), in which its own windows dock.
//
// Everything is learnt from notices and answers that come when they come; nothing here waits for
// another program. The bus tells when the watcher's name changes hands and when a host registers
// with it; the watcher is asked once, without waiting, whether a host is registered; the X server
// tells when an embedding tray comes or goes. A watcher that does not answer leaves the entry
// waiting, and the program running.
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "runtime/qt/tray/embedding/embedding_tray.h"
#include "runtime/qt/tray/tray_entry.h"

namespace vorlin::qt {

class TrayHosts final : public QObject {
  Q_OBJECT

 public:
  // `changed` is called whenever the hosts may have changed; `noneFound` once, when no tray of
  // either kind has been there in the first 10 seconds.
  TrayHosts(std::function<void()> changed, std::function<void()> noneFound);

  // The notification area now.
  TrayHost current() const { return {available(), embedding_.owner(), generation_}; }

 private slots:
  void hostRegistered();
  void hostUnregistered();

 private:
  enum class Hosted { Unknown, No, Yes };
  // The kind of host there to take an entry now.
  TrayKind available() const;
  void ownerChanged(const QString& owner);
  // Asks the watcher whether a host is registered with it; the answer comes later.
  void askHosted();
  void answered(bool hosted);
  void mayHaveChanged();

  QDBusConnection bus_;
  QDBusServiceWatcher watcher_;
  EmbeddingTray embedding_;
  QTimer firstWait_;
  std::function<void()> changed_;
  std::function<void()> noneFound_;
  QString owner_;  // the watcher's unique name; empty when there is none
  Hosted hosted_ = Hosted::No;
  unsigned question_ = 0;  // the question whose answer counts: a new watcher is asked anew
  unsigned generation_ = 0;
  bool seen_ = false;  // a tray of either kind has been there
};

}  // namespace vorlin::qt

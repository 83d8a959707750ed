// Which notification-area host is there to take the entries: a StatusNotifierItem host, which
// the program's own items serve, or an embedding tray (XEmbed), which Qt's tray icons serve.
//
// Everything is learnt from notices and answers that come when they come; nothing here waits for
// another program. The bus tells when the watcher's name changes hands and when a host registers
// with it; the watcher is asked once, without waiting, whether a host is registered; the X server
// tells when an embedding tray comes or goes. A watcher that does not answer leaves the entry
// waiting, and the program running.
//
// Qt decides once per process, at its first tray icon, whether it serves a StatusNotifierItem host
// itself, and asks the watcher then, waiting for the answer: so Qt's tray icon is made only where
// no watcher is there, or one that has answered that it has no host.
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "runtime/qt/embedding_tray.h"

namespace vorlin::qt {

enum class TrayKind { None, StatusNotifier, Embedding };

class TrayHosts final : public QObject {
  Q_OBJECT

 public:
  // `changed` is called whenever the hosts may have changed; `noneFound` once, when no tray of
  // either kind has been there in the first 10 seconds.
  TrayHosts(std::function<void()> changed, std::function<void()> noneFound);

  // The kind of host there to take an entry now.
  TrayKind available() const;
  // Counts the times a StatusNotifierItem host became ready: a watcher with a host appeared, or a
  // host registered. An item tells the watcher about itself again when it changes.
  unsigned hostGeneration() const { return generation_; }

 private slots:
  void hostRegistered();
  void hostUnregistered();

 private:
  enum class Hosted { Unknown, No, Yes };
  void ownerChanged(const QString& owner);
  // Asks the watcher whether a host is registered with it; the answer comes later.
  void askHosted();
  void answered(bool hosted);
  void tell();
  // Has Qt decide, once, while no watcher is there, that its tray icons are embedding ones.
  void settleQt();

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
  bool qtSettled_ = false;
};

}  // namespace vorlin::qt

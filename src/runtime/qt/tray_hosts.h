// Which notification-area host is there to take the entries: a StatusNotifierItem host, which
// the program's own items serve, or an embedding tray (XEmbed), which Qt's tray icons serve. Qt
// decides once per process, at its first tray icon or availability query, whether a
// StatusNotifierItem watcher is on the session bus, and keeps that answer: so Qt is asked only
// for an embedding tray, and one that appears while the program runs is given a moment for its
// panel's watcher to follow it.
#pragma once

#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace vorlin::qt {

enum class TrayKind { None, StatusNotifier, Embedding };

class TrayHosts final : public QObject {
 public:
  // `appeared` is called once a host has appeared after an entry was refused for want of one;
  // `watcherChanged` whenever the StatusNotifierItem watcher comes or goes.
  TrayHosts(std::function<void()> appeared, std::function<void()> watcherChanged);

  // The kind of host there to take an entry now.
  TrayKind available();
  // An entry waits for a host: `appeared` is called when one comes.
  void waitForHost();

 private:
  // Whether Qt may be asked now without settling on the wrong kind of tray.
  bool mayAskQt(bool first);
  bool watcherRegistered() const;
  bool embeddingTray() const;
  void check();

  std::function<void()> appeared_;
  std::function<void()> watcherChanged_;
  QDBusServiceWatcher watcher_;
  QTimer poll_;
  QElapsedTimer embeddingSince_;  // valid while an embedding tray waits out its moment
  bool settled_ = false;          // Qt has been asked: its kind of tray holds for the process
  bool embeddingAtStart_ = false;
  bool firstQuery_ = true;
};

}  // namespace vorlin::qt

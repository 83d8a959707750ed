// Which notification-area host is there to take the entries, found without letting Qt settle
// the question too early: Qt decides once per process, at its first tray icon or availability
// query, whether a StatusNotifierItem watcher is on the session bus, and keeps that answer. So
// Qt is asked only once a host is known to be there, and an embedding tray (XEmbed) that
// appears while the program runs is given a moment for its panel's watcher to follow it.
#pragma once

#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace vorlin::qt {

class TrayHosts final : public QObject {
 public:
  // `appeared` is called once a host has appeared after an entry was refused for want of one.
  explicit TrayHosts(std::function<void()> appeared);

  // True when a host is there to take an entry.
  bool available();
  // An entry waits for a host: `appeared` is called when one comes.
  void waitForHost();

 private:
  // Whether Qt may be asked now without settling on the wrong kind of tray.
  bool mayAskQt();
  bool watcherRegistered() const;
  bool embeddingTray() const;
  void check();

  std::function<void()> appeared_;
  QDBusServiceWatcher watcher_;
  QTimer poll_;
  QElapsedTimer embeddingSince_;  // valid while an embedding tray waits out its moment
  bool settled_ = false;          // Qt has been asked: its kind of tray holds for the process
  bool embeddingAtStart_ = false;
  bool firstQuery_ = true;
};

}  // namespace vorlin::qt

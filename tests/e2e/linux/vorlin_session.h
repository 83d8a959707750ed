// Vorlin running on a virtual desktop, with its clock set through a timestamp file that it reads
// on every clock reading, and its locale chosen by the test.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop.h"

namespace e2e {

struct Start {
  std::string fakeTime;            // "YYYY-MM-DD hh:mm:ss", frozen; empty: the real clock
  std::string locale = "C.UTF-8";  // LC_ALL
  Panel panel = {};
  Env env = {};          // more of the program's environment
  bool startNow = true;  // false: the test starts the program (start())
};

class VorlinSession {
 public:
  explicit VorlinSession(const Start& start);
  ~VorlinSession();

  Desktop& desktop() { return desktop_; }
  Process& process() { return *vorlin_; }
  // Starts the program, or starts it anew once it has ended; through `launcher` (a command that
  // ends by running its arguments, as `unshare` does) when there is one.
  void start(const std::vector<std::string>& launcher = {});
  // What the program has written to its standard output and error since it was last started.
  std::string output() const;

  // Moves the clock: the program reads it anew at each tick.
  void setTime(const std::string& fakeTime);

  // Polls until `icon` is shown in the tray; answers its top-left corner.
  std::optional<QPoint> waitForIcon(const QImage& icon, std::chrono::milliseconds deadline);
  // Answers whether `icon` stays shown for the whole of `period`.
  bool iconStays(const QImage& icon, std::chrono::milliseconds period);

  // Right-click on the icon at `iconAt`; answers the menu's area once it is open.
  std::optional<QRect> openMenu(QPoint iconAt);
  // Chooses Properties; answers the dialog window once it is shown.
  unsigned long openProperties(QPoint iconAt);

 private:
  Desktop desktop_;
  std::string timeFile_;
  Env env_;
  std::string log_;
  std::size_t logStart_ = 0;
  std::unique_ptr<Process> vorlin_;
};

// Sends `signal` to the program, as the system or a user's kill does: the program must end with
// status 0 within `deadline`, and its entry leave the tray (`entryShown` turns false). For any
// tray panel.
testing::AssertionResult endsOnSignal(Process& program, int signal,
                                      const std::function<bool()>& entryShown,
                                      std::chrono::milliseconds deadline = std::chrono::seconds(5));

// Whether the program is one process drawing the window titled `title` itself.
testing::AssertionResult drawsItself(VorlinSession& vorlin, const std::string& title);

// The menu's area: what changed between two screenshots, outside `ignore`.
std::optional<QRect> changedArea(const QImage& before, const QImage& after, QRect ignore);

}  // namespace e2e

#include "vorlin_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "dialog_reading.h"

namespace e2e {

VorlinSession::VorlinSession(const Start& start) : desktop_(start.panel) {
  Env env = desktop_.env();
  env.push_back({"TZ", "UTC"});
  env.push_back({"LC_ALL", start.locale});
  env.push_back({"LANG", start.locale});
  if (!start.fakeTime.empty()) {
    char name[] = "/tmp/vorlin-clock-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("no timestamp file");
    close(fd);
    timeFile_ = name;
    setTime(start.fakeTime);
    env.push_back({"LD_PRELOAD", VORLIN_FAKETIME_LIBRARY});
    env.push_back({"FAKETIME_TIMESTAMP_FILE", timeFile_});
    env.push_back({"FAKETIME_NO_CACHE", "1"});
    env.push_back({"FAKETIME_DONT_FAKE_MONOTONIC", "1"});
    // Files keep their real times, as on a user's machine: fontconfig's caches, checked against
    // the font folders' times, stay valid (faked, every start and end rescanned every font).
    env.push_back({"NO_FAKE_STAT", "1"});
  }
  env.insert(env.end(), start.env.begin(), start.env.end());
  env_ = env;
  log_ = std::string(VORLIN_E2E_OUTPUT) + "/vorlin.log";
  if (start.startNow) this->start();
}

void VorlinSession::start(const std::vector<std::string>& launcher) {
  vorlin_.reset();
  std::error_code none;
  const auto size = std::filesystem::file_size(log_, none);
  logStart_ = none ? 0 : static_cast<std::size_t>(size);
  std::vector<std::string> argv = launcher;
  argv.push_back(VORLIN_PROGRAM);
  vorlin_ = std::make_unique<Process>(argv, env_, log_);
}

std::string VorlinSession::output() const {
  std::ifstream in(log_);
  in.seekg(static_cast<std::streamoff>(logStart_));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

VorlinSession::~VorlinSession() {
  vorlin_.reset();
  if (!timeFile_.empty()) std::remove(timeFile_.c_str());
}

void VorlinSession::setTime(const std::string& fakeTime) {
  const std::string next = timeFile_ + ".next";
  {
    std::ofstream out(next);
    out << fakeTime << "\n";
  }
  // Replaced in one step, so that no reading sees a half-written file.
  std::rename(next.c_str(), timeFile_.c_str());
}

std::optional<QPoint> VorlinSession::waitForIcon(const QImage& icon,
                                                 std::chrono::milliseconds deadline) {
  std::optional<QPoint> at;
  pollUntil(
      [&] { return (at = findIcon(desktop_.screenshot(), icon, desktop_.trayArea())).has_value(); },
      deadline);
  return at;
}

bool VorlinSession::iconStays(const QImage& icon, std::chrono::milliseconds period) {
  const auto end = std::chrono::steady_clock::now() + period;
  while (std::chrono::steady_clock::now() < end) {
    if (!findIcon(desktop_.screenshot(), icon, desktop_.trayArea())) return false;
  }
  return true;
}

testing::AssertionResult endsOnSignal(Process& program, int signal,
                                      const std::function<bool()>& entryShown,
                                      std::chrono::milliseconds deadline) {
  program.signal(signal);
  if (!program.waitForExit(deadline)) return testing::AssertionFailure() << "the program runs on";
  if (program.exitStatus() != 0)
    return testing::AssertionFailure() << "exit status " << program.exitStatus();
  if (!pollUntil([&] { return !entryShown(); }, 3s))
    return testing::AssertionFailure() << "the entry stays";
  return testing::AssertionSuccess();
}

testing::AssertionResult drawsItself(VorlinSession& vorlin, const std::string& title) {
  const unsigned long window = vorlin.desktop().findWindow(title);
  if (window == 0) return testing::AssertionFailure() << "no window " << title;
  const pid_t drawer = std::atoi(
      commandOutput({"xdotool", "getwindowpid", std::to_string(window)}, vorlin.desktop().env())
          .c_str());
  if (drawer != vorlin.process().pid()) return testing::AssertionFailure() << "drawn by " << drawer;
  if (const std::vector<pid_t> children = childrenOf(drawer); !children.empty()) {
    return testing::AssertionFailure() << "a process of its own: " << children.front();
  }
  return testing::AssertionSuccess();
}

std::optional<QRect> changedArea(const QImage& before, const QImage& after, QRect ignore) {
  QRect area;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (ignore.contains(x, y) || before.pixel(x, y) == after.pixel(x, y)) continue;
      area |= QRect(x, y, 1, 1);
    }
  }
  if (area.isEmpty()) return std::nullopt;
  return area;
}

std::optional<QRect> VorlinSession::openMenu(QPoint iconAt) {
  const QImage before = desktop_.screenshot();
  desktop_.click(iconAt + QPoint(8, 8), 3);
  std::optional<QRect> menu;
  pollUntil(
      [&] {
        menu = changedArea(before, desktop_.screenshot(), {});
        return menu.has_value() && menu->height() > 30;
      },
      3s);
  return menu;
}

unsigned long VorlinSession::openProperties(QPoint iconAt) {
  const std::optional<QRect> menu = openMenu(iconAt);
  if (!menu) return 0;
  // Properties is the menu's first item.
  desktop_.click(QPoint(menu->center().x(), menu->top() + 10), 1);
  unsigned long dialog = 0;
  pollUntil([&] { return (dialog = desktop_.findWindow("Vorlin Properties")) != 0; }, 3s);
  // Drawn by a process of its own, the window may be on the screen a moment before its options.
  if (dialog != 0) {
    pollUntil([&] { return selectedOption(desktop_.screenshot(), desktop_.geometry(dialog)) >= 0; },
              3s);
  }
  return dialog;
}

}  // namespace e2e

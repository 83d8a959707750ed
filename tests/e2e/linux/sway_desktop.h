// A Wayland desktop for one test: sway without any output device but a virtual screen, its seat
// given a pointer, waybar with its notification area along the top (a StatusNotifierItem host),
// all on a private session bus. sway refuses to run as root, so the whole session runs as an
// unprivileged user, in folders of its own.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "process.h"

namespace e2e {

// The bar's notification-area icon size and the output's scale; waybar's default icon size is 16.
struct SwaySettings {
  int barIconSize = 16;
  int scale = 1;
};

class SwayDesktop {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;
  static constexpr int kBarHeight = 26;

  explicit SwayDesktop(const SwaySettings& settings = {});
  ~SwayDesktop();

  // The environment of a program of the session; `argv` run as the session's user.
  Env env() const;
  std::vector<std::string> asUser(std::vector<std::string> argv) const;
  const std::string& folder() const { return folder_; }

  // Starts waybar; true once it has taken the notification area on the bus.
  bool startBar();
  void stopBar();
  // The items registered with the bar's watcher.
  std::vector<std::string> registeredItems() const;

  QImage screenshot() const;
  // The bar's area of the screen.
  QRect barArea() const { return QRect(0, 0, kWidth, kBarHeight); }

  void moveTo(QPoint p) const;
  void click(QPoint p, int button) const;  // 1 left, 3 right

  struct Window {
    std::string type;  // "con": tiled; "floating_con": floating
    QRect client;
  };
  // The window titled `title`, if it is mapped.
  std::optional<Window> findWindow(const std::string& title) const;
  // The number of windows the program `appId` has mapped.
  int windowsOf(const std::string& appId) const;

 private:
  void swaymsg(const std::vector<std::string>& args) const;
  std::string tree() const;

  std::string folder_;
  std::string runtime_;
  std::unique_ptr<Process> bus_;
  std::unique_ptr<Process> sway_;
  std::unique_ptr<Process> pointer_;
  std::unique_ptr<Process> bar_;
};

}  // namespace e2e

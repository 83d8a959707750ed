// A virtual display with a tray panel, read back as pixels and driven with real input.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "process.h"

typedef struct _XDisplay Display;

namespace e2e {

using namespace std::chrono_literals;

// Polls `condition` until it holds or the deadline passes.
bool pollUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline);

// The tray panel a desktop starts with.
struct Panel {
  bool trayer = true;  // trayer docked at the top right; false: no panel
  int height = 24;     // trayer's height in pixels
};

class Desktop {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;

  explicit Desktop(const Panel& panel = {});  // Xvfb, then the panel
  ~Desktop();

  // Starts trayer, docked at the top right, `height` pixels high, once the desktop runs.
  void startTrayer(int height = 24);
  void stopTrayer();
  // Ends the X server, as when the display goes away under its clients; the desktop can do
  // nothing more after that.
  void endDisplay();

  const std::string& name() const { return name_; }  // ":N"
  Env env() const;

  QImage screenshot() const;
  // The tray panel's area of the screen: trayer's at the top right, or a panel's along the top.
  QRect trayArea() const {
    return trayer_ ? QRect(kWidth - 200, 0, 200, 40) : QRect(0, 0, kWidth, 40);
  }

  // A mapped top-level window with this title, or 0.
  unsigned long findWindow(const std::string& title) const;
  std::string title(unsigned long window) const;
  // The window owning the screen's embedding tray selection, or 0.
  unsigned long trayOwner() const;
  // Whether a mapped child of `window` is a window of process `pid`.
  bool holdsWindowOf(unsigned long window, pid_t pid) const;
  QRect geometry(unsigned long window) const;
  // The images of the window's icon (_NET_WM_ICON), as a window manager reads them.
  std::vector<QImage> icons(unsigned long window) const;
  // The mapped tooltip windows' areas.
  std::vector<QRect> tooltips() const;
  // Asks the window to close, as its frame's close box does.
  void closeThroughFrame(unsigned long window) const;

  void moveTo(QPoint p) const;
  void press(int button) const;
  void release(int button) const;
  void click(QPoint p, int button) const;

 private:
  void xdotool(const std::vector<std::string>& args) const;

  std::string name_;
  std::unique_ptr<Process> xvfb_;
  std::unique_ptr<Process> trayer_;
  Display* display_ = nullptr;
};

// The position of the 16 x 16 `icon` inside `area` of `screen`, matched exactly, if it is there.
std::optional<QPoint> findIcon(const QImage& screen, const QImage& icon, QRect area);

// Saves a screenshot into the test output folder, named after the current test.
std::string saveShot(const QImage& image, const std::string& what);

}  // namespace e2e

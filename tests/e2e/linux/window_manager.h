// A real window manager on a test's desktop, and the frames it puts round the windows.
#pragma once

#include <QRect>
#include <memory>
#include <string>

#include "desktop.h"

namespace e2e {

class WindowManager {
 public:
  // Starts openbox on `desktop` and waits until it manages the screen.
  explicit WindowManager(const Desktop& desktop);
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // The outer area, borders included, of the frame round the mapped window titled `title`; the
  // window's own area while it has no frame; empty when there is no such window.
  QRect frameOf(const std::string& title) const;

 private:
  Display* display_ = nullptr;
  std::unique_ptr<Process> openbox_;
};

}  // namespace e2e

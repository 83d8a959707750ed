// A real window manager on a test's desktop, and the frames it puts round the windows.
#pragma once

#include <QRect>
#include <memory>
#include <string>

#include "desktop.h"

namespace e2e {

class WindowManager {
 public:
  // Starts openbox on `desktop` and waits until it manages the screen and answers.
  explicit WindowManager(const Desktop& desktop);
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // The outer area, borders included, of the frame round the mapped window titled `title`; the
  // window's own area while it has no frame; empty when there is no such window.
  QRect frameOf(const std::string& title) const;

 private:
  // Whether openbox answers a request for a window's frame, asked until it does or 10 s pass.
  bool answersFrameRequests() const;

  Display* display_ = nullptr;
  std::unique_ptr<Process> openbox_;
};

}  // namespace e2e

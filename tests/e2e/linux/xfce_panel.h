// The Xfce panel with only its notification area (StatusNotifierItem host, XEmbed too), along the
// top of a desktop, on a private session bus; started, stopped and restarted by the test.
#pragma once

#include <memory>

#include "desktop.h"
#include "session_bus.h"

namespace e2e {

class XfcePanel {
 public:
  XfcePanel(const Desktop& desktop, const SessionBus& bus);
  ~XfcePanel();

  // Starts the panel; true once its watcher is on the bus.
  bool start();
  void stop();

 private:
  const Desktop& desktop_;
  const SessionBus& bus_;
  std::unique_ptr<Process> panel_;
};

}  // namespace e2e

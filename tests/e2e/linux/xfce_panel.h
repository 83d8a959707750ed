// The Xfce panel with only its notification area (StatusNotifierItem host, XEmbed too), along the
// top of a desktop, on a private session bus; started, stopped and restarted by the test. Its
// settings are those of Debian's default panel (/etc/xdg/xfce4/panel/default.xml) but where a
// test changes one (tests/e2e/linux/xfce4-panel.xml holds them).
#pragma once

#include <memory>

#include "desktop.h"
#include "session_bus.h"

namespace e2e {

struct XfcePanelSettings {
  int size = 26;            // the panel's height
  int systrayIconSize = 0;  // the notification area's own icon size; 0: left at its default
};

class XfcePanel {
 public:
  XfcePanel(const Desktop& desktop, const SessionBus& bus, const XfcePanelSettings& settings = {});
  ~XfcePanel();

  // Starts the panel; true once its watcher is on the bus.
  bool start();
  void stop();
  // Stops the watcher's process, as a panel that hangs: its names stay on the bus, its windows on
  // the screen, and nothing is answered until it resumes.
  void hang();
  void resume();

 private:
  const Desktop& desktop_;
  const SessionBus& bus_;
  std::unique_ptr<Process> panel_;
  pid_t hung_ = 0;
};

}  // namespace e2e

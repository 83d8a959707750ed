#include "xfce_panel.h"

#include <filesystem>

namespace e2e {

XfcePanel::XfcePanel(const Desktop& desktop, const SessionBus& bus) : desktop_(desktop), bus_(bus) {
  const std::string folder = bus.home() + "/.config/xfce4/xfconf/xfce-perchannel-xml";
  std::filesystem::create_directories(folder);
  // One panel along the top holding the notification area alone, its icons 16 pixels.
  std::filesystem::copy_file(VORLIN_XFCE_PANEL_CONFIG, folder + "/xfce4-panel.xml",
                             std::filesystem::copy_options::overwrite_existing);
}

XfcePanel::~XfcePanel() {
  stop();
}

bool XfcePanel::start() {
  Env env = desktop_.env();
  const Env session = bus_.env();
  env.insert(env.end(), session.begin(), session.end());
  panel_ = std::make_unique<Process>(std::vector<std::string>{"xfce4-panel", "--disable-wm-check"},
                                     env, std::string(VORLIN_E2E_OUTPUT) + "/xfce4-panel.log");
  return pollUntil([&] { return bus_.hasName("org.kde.StatusNotifierWatcher"); }, 10s);
}

void XfcePanel::stop() {
  panel_.reset();
}

}  // namespace e2e

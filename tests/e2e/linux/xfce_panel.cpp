#include "xfce_panel.h"

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace e2e {

XfcePanel::XfcePanel(const Desktop& desktop, const SessionBus& bus,
                     const XfcePanelSettings& settings)
    : desktop_(desktop), bus_(bus) {
  const std::string folder = bus.home() + "/.config/xfce4/xfconf/xfce-perchannel-xml";
  std::filesystem::create_directories(folder);
  // Debian's default panel settings, the file the benchmarks use too, with the test's changes.
  std::ifstream in(VORLIN_XFCE_PANEL_CONFIG);
  std::string config((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto replace = [&](const std::string& from, const std::string& to) {
    const std::size_t at = config.find(from);
    if (at == std::string::npos) throw std::runtime_error("the panel settings lack " + from);
    config.replace(at, from.size(), to);
  };
  replace(R"(name="size" type="uint" value="26")",
          R"(name="size" type="uint" value=")" + std::to_string(settings.size) + "\"");
  if (settings.systrayIconSize > 0) {
    const std::string square = R"(<property name="square-icons" type="bool" value="true"/>)";
    replace(square, square + R"(<property name="icon-size" type="int" value=")" +
                        std::to_string(settings.systrayIconSize) + "\"/>");
  }
  std::ofstream(folder + "/xfce4-panel.xml") << config;
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
  resume();
  panel_.reset();
}

void XfcePanel::hang() {
  hung_ = bus_.ownerPid("org.kde.StatusNotifierWatcher");
  if (hung_ > 0) kill(hung_, SIGSTOP);
}

void XfcePanel::resume() {
  if (hung_ > 0) kill(hung_, SIGCONT);
  hung_ = 0;
}

}  // namespace e2e

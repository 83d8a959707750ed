#include "xfce_panel.h"

#include <filesystem>
#include <fstream>

namespace e2e {

XfcePanel::XfcePanel(const Desktop& desktop, const SessionBus& bus,
                     const XfcePanelSettings& settings)
    : desktop_(desktop), bus_(bus) {
  const std::string folder = bus.home() + "/.config/xfce4/xfconf/xfce-perchannel-xml";
  std::filesystem::create_directories(folder);
  // The default panel's first panel, along the top, holding its notification area alone.
  const std::string systrayIconSize =
      settings.systrayIconSize > 0 ? "      <property name=\"icon-size\" type=\"int\" value=\"" +
                                         std::to_string(settings.systrayIconSize) + "\"/>\n"
                                   : "";
  std::ofstream(folder + "/xfce4-panel.xml") << R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="dark-mode" type="bool" value="true"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="icon-size" type="uint" value="16"/>
      <property name="size" type="uint" value=")"
                                             << settings.size << R"("/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray">
      <property name="square-icons" type="bool" value="true"/>
)" << systrayIconSize << R"(    </property>
  </property>
</channel>
)";
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

#include "xfce_panel.h"

#include <filesystem>
#include <fstream>

namespace e2e {
namespace {

// One panel along the top, 26 pixels high, holding the notification area alone.
constexpr const char* kPanelConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="icon-size" type="uint" value="16"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray">
      <property name="square-icons" type="bool" value="false"/>
      <property name="icon-size" type="int" value="16"/>
    </property>
  </property>
</channel>
)";

}  // namespace

XfcePanel::XfcePanel(const Desktop& desktop, const SessionBus& bus) : desktop_(desktop), bus_(bus) {
  const std::string folder = bus.home() + "/.config/xfce4/xfconf/xfce-perchannel-xml";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/xfce4-panel.xml") << kPanelConfig;
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

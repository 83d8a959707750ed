#include "sway_desktop.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "desktop.h"
#include "session_bus.h"

namespace e2e {
namespace {

constexpr const char* kUser = "65534";  // nobody

std::string swayConfig(int scale) {
  return "output HEADLESS-1 resolution " + std::to_string(SwayDesktop::kWidth * scale) + "x" +
         std::to_string(SwayDesktop::kHeight * scale) + " position 0,0 scale " +
         std::to_string(scale) + "\nxwayland disable\n";
}

std::string barConfig(int iconSize) {
  return R"({
  "layer": "top", "position": "top", "height": 26,
  "modules-right": ["tray"], "tray": {"icon-size": )" +
         std::to_string(iconSize) + "}\n}\n";
}

std::string firstFile(const std::string& folder, const std::string& prefix,
                      const std::string& suffix) {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix) && name.ends_with(suffix)) return entry.path().string();
  }
  return {};
}

// Calls `visit` on every node of sway's window tree.
void eachNode(const QJsonObject& node, const std::function<void(const QJsonObject&)>& visit) {
  visit(node);
  for (const char* children : {"nodes", "floating_nodes"}) {
    for (const QJsonValue& child : node[QLatin1String(children)].toArray()) {
      eachNode(child.toObject(), visit);
    }
  }
}

}  // namespace

SwayDesktop::SwayDesktop(const SwaySettings& settings) {
  char name[] = "/tmp/vorlin-sway-XXXXXX";
  if (mkdtemp(name) == nullptr) throw std::runtime_error("no folder for sway");
  folder_ = name;
  runtime_ = folder_ + "/run";
  std::filesystem::create_directories(runtime_);
  std::filesystem::create_directories(folder_ + "/home/.config/waybar");
  std::ofstream(folder_ + "/sway.conf") << swayConfig(settings.scale);
  std::ofstream(folder_ + "/home/.config/waybar/config") << barConfig(settings.barIconSize);
  chmod(folder_.c_str(), 0755);
  chmod(runtime_.c_str(), 0700);
  if (runCommand({"chown", "-R", std::string(kUser) + ":" + kUser, folder_}, {}) != 0) {
    throw std::runtime_error("could not hand the session's folder to its user");
  }

  bus_ = std::make_unique<Process>(asUser({"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                           "--address=unix:path=" + runtime_ + "/bus"}),
                                   env());
  Env swayEnv = env();
  swayEnv.insert(swayEnv.end(), {{"WAYLAND_DISPLAY", ""},
                                 {"WLR_BACKENDS", "headless"},
                                 {"WLR_LIBINPUT_NO_DEVICES", "1"},
                                 {"WLR_RENDERER", "pixman"}});
  sway_ = std::make_unique<Process>(asUser({"sway", "-c", folder_ + "/sway.conf"}), swayEnv,
                                    folder_ + "/sway.log");
  if (!pollUntil(
          [&] {
            return std::filesystem::exists(runtime_ + "/wayland-1") &&
                   !firstFile(runtime_, "sway-ipc.", ".sock").empty();
          },
          10s)) {
    throw std::runtime_error("sway did not start");
  }
  pointer_ =
      std::make_unique<Process>(asUser({VORLIN_VIRTUAL_POINTER}), env(), folder_ + "/pointer.log");
  if (!pollUntil(
          [&] {
            std::ifstream log(folder_ + "/pointer.log");
            std::string line;
            return std::getline(log, line) && line == "ready";
          },
          5s)) {
    throw std::runtime_error("the seat got no pointer");
  }
}

SwayDesktop::~SwayDesktop() {
  bar_.reset();
  pointer_.reset();
  sway_.reset();
  bus_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

Env SwayDesktop::env() const {
  return {{"HOME", folder_ + "/home"},
          {"XDG_CONFIG_HOME", folder_ + "/home/.config"},
          {"XDG_RUNTIME_DIR", runtime_},
          {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime_ + "/bus"},
          {"WAYLAND_DISPLAY", "wayland-1"},
          {"DISPLAY", ""},
          {"QT_QPA_PLATFORM", "wayland"},
          {"NO_AT_BRIDGE", "1"},
          {"SWAYSOCK", firstFile(runtime_, "sway-ipc.", ".sock")}};
}

std::vector<std::string> SwayDesktop::asUser(std::vector<std::string> argv) const {
  // The change of user clears the signal that ends a child with the test: it is set anew.
  argv.insert(argv.begin(),
              {"setpriv", std::string("--reuid=") + kUser, std::string("--regid=") + kUser,
               "--clear-groups", "--pdeathsig", "KILL"});
  return argv;
}

bool SwayDesktop::startBar() {
  bar_ = std::make_unique<Process>(asUser({"waybar"}), env(), folder_ + "/waybar.log");
  return pollUntil(
      [&] {
        return !commandOutput(
                    asUser({"busctl", "--user", "status", "org.kde.StatusNotifierWatcher"}), env())
                    .empty();
      },
      10s);
}

void SwayDesktop::stopBar() {
  bar_.reset();
}

std::vector<std::string> SwayDesktop::registeredItems() const {
  std::vector<std::string> argv{"busctl", "--user"};
  const std::vector<std::string> call = registeredItemsCall();
  argv.insert(argv.end(), call.begin(), call.end());
  return itemsOf(commandOutput(asUser(argv), env()));
}

QImage SwayDesktop::screenshot() const {
  const std::string file = folder_ + "/screen.ppm";
  if (runCommand(asUser({"grim", "-t", "ppm", file}), env()) != 0) {
    throw std::runtime_error("grim failed");
  }
  QImage image(QString::fromStdString(file));
  return image.convertToFormat(QImage::Format_RGB32);
}

void SwayDesktop::swaymsg(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{"swaymsg"};
  argv.insert(argv.end(), args.begin(), args.end());
  if (runCommand(asUser(argv), env()) != 0) throw std::runtime_error("swaymsg failed");
}

void SwayDesktop::moveTo(QPoint p) const {
  swaymsg({"seat", "-", "cursor", "set", std::to_string(p.x()), std::to_string(p.y())});
}

void SwayDesktop::click(QPoint p, int button) const {
  moveTo(p);
  const std::string name = "button" + std::to_string(button);
  swaymsg({"seat", "-", "cursor", "press", name});
  swaymsg({"seat", "-", "cursor", "release", name});
}

std::string SwayDesktop::tree() const {
  return commandOutput(asUser({"swaymsg", "-r", "-t", "get_tree"}), env());
}

std::optional<SwayDesktop::Window> SwayDesktop::findWindow(const std::string& title) const {
  std::optional<Window> found;
  const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(tree())).object();
  eachNode(root, [&](const QJsonObject& node) {
    if (node["name"].toString().toStdString() != title || !node.contains("pid")) return;
    const QJsonObject rect = node["rect"].toObject();
    const QJsonObject inner = node["window_rect"].toObject();
    found =
        Window{node["type"].toString().toStdString(),
               QRect(rect["x"].toInt() + inner["x"].toInt(), rect["y"].toInt() + inner["y"].toInt(),
                     inner["width"].toInt(), inner["height"].toInt())};
  });
  return found;
}

int SwayDesktop::windowsOf(const std::string& appId) const {
  int count = 0;
  const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(tree())).object();
  eachNode(root, [&](const QJsonObject& node) {
    if (node["app_id"].toString().toStdString() == appId) ++count;
  });
  return count;
}

}  // namespace e2e

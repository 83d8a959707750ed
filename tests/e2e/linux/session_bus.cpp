#include "session_bus.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "desktop.h"

namespace e2e {

SessionBus::SessionBus() {
  char name[] = "/tmp/vorlin-bus-XXXXXX";
  if (mkdtemp(name) == nullptr) throw std::runtime_error("no bus folder");
  root_ = name;
  home_ = root_ + "/home";
  runtime_ = root_ + "/run";
  std::filesystem::create_directories(home_);
  std::filesystem::create_directories(runtime_);
  chmod(runtime_.c_str(), 0700);
  daemon_ = std::make_unique<Process>(
      std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                               "--address=unix:path=" + runtime_ + "/bus"},
      env());
  if (!pollUntil([&] { return std::filesystem::exists(runtime_ + "/bus"); }, 10s)) {
    throw std::runtime_error("the session bus did not start");
  }
}

SessionBus::~SessionBus() {
  daemon_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

Env SessionBus::env() const {
  return {{"HOME", home_},
          {"XDG_CONFIG_HOME", home_ + "/.config"},
          {"XDG_RUNTIME_DIR", runtime_},
          {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime_ + "/bus"},
          {"NO_AT_BRIDGE", "1"}};
}

std::string SessionBus::busctl(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{"busctl", "--user"};
  argv.insert(argv.end(), args.begin(), args.end());
  return commandOutput(argv, env());
}

bool SessionBus::hasName(const std::string& name) const {
  return !busctl({"status", name}).empty();
}

pid_t SessionBus::ownerPid(const std::string& name) const {
  std::istringstream status(busctl({"status", name}));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("PID=", 0) == 0) return static_cast<pid_t>(std::stol(line.substr(4)));
  }
  return 0;
}

std::vector<std::string> SessionBus::namesOf(pid_t pid) const {
  // NAME PID PROCESS USER CONNECTION UNIT SESSION DESCRIPTION
  std::istringstream list(busctl({"list", "--unique", "--no-legend"}));
  std::vector<std::string> names;
  for (std::string line; std::getline(list, line);) {
    std::istringstream fields(line);
    std::string name;
    std::string owner;
    if (fields >> name >> owner && owner == std::to_string(pid)) names.push_back(name);
  }
  return names;
}

std::string SessionBus::itemOf(pid_t pid) const {
  for (const std::string& name : namesOf(pid)) {
    if (!itemProperty(name, "Title").empty()) return name;
  }
  return "";
}

int SessionBus::messagesFrom(pid_t pid, std::chrono::seconds period) const {
  const std::vector<std::string> names = namesOf(pid);
  const std::string log = root_ + "/monitor.log";
  {
    Process monitor({"dbus-monitor", "--session"}, env(), log);
    std::this_thread::sleep_for(period);  // the period measured, not a wait for something
  }
  std::ifstream in(log);
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    for (const std::string& name : names) {
      if (line.find(" sender=" + name + " ") != std::string::npos) ++count;
    }
  }
  return count;
}

std::vector<std::string> registeredItemsCall() {
  return {"get-property", "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
          "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems"};
}

std::vector<std::string> itemsOf(const std::string& answer) {
  // as N "ITEM" ...
  std::istringstream in(answer);
  std::string type;
  std::size_t count = 0;
  std::vector<std::string> items;
  if (!(in >> type >> count)) return items;
  for (std::string item; items.size() < count && in >> item;) {
    items.push_back(item.substr(1, item.size() - 2));
  }
  return items;
}

std::vector<std::string> SessionBus::registeredItems() const {
  return itemsOf(busctl(registeredItemsCall()));
}

namespace {

// The bus name and object path of a registered item, "SERVICE/PATH" or "SERVICE".
std::pair<std::string, std::string> itemAddress(const std::string& item) {
  const std::size_t slash = item.find('/');
  return {item.substr(0, slash),
          slash == std::string::npos ? "/StatusNotifierItem" : item.substr(slash)};
}

}  // namespace

std::vector<std::string> menuEntryCall(const std::string& item, int entry) {
  // The menu's path, as the item's Menu property names it.
  return {"call",
          itemAddress(item).first,
          "/MenuBar",
          "com.canonical.dbusmenu",
          "Event",
          "isvu",
          std::to_string(entry),
          "clicked",
          "s",
          "",
          "0"};
}

CommandResult SessionBus::callMenu(const std::string& item,
                                   const std::vector<std::string>& call) const {
  std::vector<std::string> argv{
      "busctl", "--user", "call", itemAddress(item).first, "/MenuBar", "com.canonical.dbusmenu"};
  argv.insert(argv.end(), call.begin(), call.end());
  return runForResult(argv, env());
}

std::string SessionBus::fuzz(const std::string& item, unsigned seed, int seconds) const {
  return commandOutput(
      {VORLIN_BUS_FUZZER, itemAddress(item).first, std::to_string(seed), std::to_string(seconds)},
      env());
}

void SessionBus::chooseMenuEntry(const std::string& item, int entry) const {
  busctl(menuEntryCall(item, entry));
}

bool SessionBus::askForContextMenu(const std::string& item, int count) const {
  const auto [service, path] = itemAddress(item);
  return commandOutput({VORLIN_BUS_CALLER, service, path, std::to_string(count)}, env()) ==
         "0 errors\n";
}

std::string SessionBus::itemProperty(const std::string& item, const std::string& name) const {
  const auto [service, path] = itemAddress(item);
  std::string value = busctl({"get-property", service, path, "org.kde.StatusNotifierItem", name});
  while (!value.empty() && value.back() == '\n') value.pop_back();
  return value;
}

std::vector<QImage> SessionBus::itemPixmaps(const std::string& item) const {
  const auto [service, path] = itemAddress(item);
  // a(iiay) N  W H BYTES b b b ...  (ARGB, big-endian)
  std::istringstream in(
      busctl({"get-property", service, path, "org.kde.StatusNotifierItem", "IconPixmap"}));
  std::string type;
  std::size_t count = 0;
  std::vector<QImage> images;
  if (!(in >> type >> count)) return images;
  for (std::size_t k = 0; k < count; ++k) {
    int width = 0, height = 0;
    std::size_t bytes = 0;
    if (!(in >> width >> height >> bytes) || bytes != std::size_t(width) * height * 4) return {};
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
      unsigned a = 0, r = 0, g = 0, b = 0;
      in >> a >> r >> g >> b;
      image.setPixel(i % width, i / width, qRgba(int(r), int(g), int(b), int(a)));
    }
    images.push_back(image);
  }
  return images;
}

}  // namespace e2e

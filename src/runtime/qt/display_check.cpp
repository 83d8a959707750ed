#include "runtime/qt/display_check.h"

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string_view>

namespace vorlin::qt {
namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The compositor's socket: `name` itself when absolute, else in XDG_RUNTIME_DIR.
bool waylandSocket(std::string_view name) {
  std::string path(name);
  if (path.front() != '/') {
    const std::string_view runtime = variable("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = std::string(runtime) + "/" + path;
  }
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool xServer(std::string_view name) {
  const std::string display(name);
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool ok = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return ok;
}

}  // namespace

bool onWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::string displayProblem() {
  const std::string_view platform = variable("QT_QPA_PLATFORM");
  const bool anyPlatform = platform.empty();
  const bool wayland = anyPlatform || platform.starts_with("wayland");
  const bool x = anyPlatform || platform.starts_with("xcb");
  if (!wayland && !x) return {};  // offscreen and the like: Qt's own affair

  std::string unreachable;
  const std::string_view waylandName = variable("WAYLAND_DISPLAY");
  if (wayland && !waylandName.empty()) {
    if (waylandSocket(waylandName)) return {};
    unreachable = "the Wayland display " + std::string(waylandName);
  }
  const std::string_view xName = variable("DISPLAY");
  if (x && !xName.empty()) {
    if (xServer(xName)) return {};
    if (!unreachable.empty()) unreachable += " or ";
    unreachable += "the X display " + std::string(xName);
  }
  return unreachable.empty() ? std::string(kNoDisplayMessage) : kUnreachableMessage + unreachable;
}

}  // namespace vorlin::qt

#include "runtime/qt/display_check.h"

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vorlin::qt {
namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool waylandSocket() {
  const std::string_view name = variable("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  std::string path(name);
  if (path.front() != '/') {
    const std::string_view runtime = variable("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = std::string(runtime) + "/" + path;
  }
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool xServer() {
  if (variable("DISPLAY").empty()) return false;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool ok = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return ok;
}

}  // namespace

bool onWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool displayAvailable() {
  const std::string_view platform = variable("QT_QPA_PLATFORM");
  if (platform.starts_with("wayland")) return waylandSocket();
  if (platform.starts_with("xcb")) return xServer();
  if (!platform.empty()) return true;  // offscreen and the like: Qt's own affair
  return waylandSocket() || xServer();
}

}  // namespace vorlin::qt

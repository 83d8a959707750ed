#include "runtime/qt/platform/display_check.h"

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <cstdlib>
#include <string_view>
#include <vector>

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

// The names of a list in QT_QPA_PLATFORM's form ("wayland;xcb"), each without its options
// ("xcb:option" is xcb), in order.
std::vector<std::string> platformNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(';'), list.size());
    const std::string_view entry = list.substr(0, end);
    const std::string_view name = entry.substr(0, std::min(entry.find(':'), entry.size()));
    if (!name.empty()) names.emplace_back(name);
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return names;
}

// The platforms this Qt has: the keys of its platform plugins, where Qt itself looks for them.
QStringList availablePlatforms() {
  QStringList folders;
  const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
  if (!own.isEmpty()) folders << own;
  folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
  QStringList keys;
  for (const QString& folder : folders) {
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files)) {
      const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData();
      for (const QJsonValue key :
           meta.value(QStringLiteral("MetaData"))[QStringLiteral("Keys")].toArray()) {
        if (!keys.contains(key.toString(), Qt::CaseInsensitive)) keys << key.toString();
      }
    }
  }
  keys.sort();
  return keys;
}

}  // namespace

bool onWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::string displayProblem() {
  // Qt tries the platforms of the list in turn and takes the first that starts; with none named,
  // Wayland or X, whichever is there.
  std::vector<std::string> names = platformNames(variable("QT_QPA_PLATFORM"));
  const bool named = !names.empty();
  if (!named) names = {"wayland", "xcb"};
  const QStringList available = named ? availablePlatforms() : QStringList{};
  const std::string_view waylandName = variable("WAYLAND_DISPLAY");
  const std::string_view xName = variable("DISPLAY");
  std::string unknown;
  std::string unreachable;
  for (const std::string& name : names) {
    const QString key = QString::fromStdString(name);
    if (named && !available.contains(key, Qt::CaseInsensitive)) {
      unknown += (unknown.empty() ? "" : ", ") + name;
      continue;
    }
    if (key.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive)) {
      if (waylandName.empty()) continue;
      if (waylandSocket(waylandName)) return {};
      unreachable += (unreachable.empty() ? "" : " or ") + std::string("the Wayland display ") +
                     std::string(waylandName);
    } else if (key.compare(QLatin1String("xcb"), Qt::CaseInsensitive) == 0) {
      if (xName.empty()) continue;
      if (xServer(xName)) return {};
      unreachable +=
          (unreachable.empty() ? "" : " or ") + std::string("the X display ") + std::string(xName);
    } else {
      return {};  // offscreen and the like: Qt's own affair
    }
  }
  if (!unknown.empty()) {
    std::string line = std::string(kUnknownPlatformMessage) + unknown +
                       " (QT_QPA_PLATFORM); it has " +
                       available.join(QStringLiteral(", ")).toStdString();
    if (!unreachable.empty()) line += "; and cannot reach " + unreachable;
    return line;
  }
  return unreachable.empty() ? std::string(kNoDisplayMessage) : kUnreachableMessage + unreachable;
}

}  // namespace vorlin::qt

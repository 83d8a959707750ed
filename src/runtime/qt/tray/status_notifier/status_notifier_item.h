// A tray entry as a StatusNotifierItem of the program's own on the session bus, for the hosts of
// desktops that have one (KDE Plasma, GNOME with AppIndicator, LXQt, the Xfce panel, waybar).
// Its picture is offered twice: as an icon name in a theme folder of its own, which a host looks
// up at its own size and gets exactly (see icon_theme_folder.h), and as whole-pixel enlargements
// at the usual sizes for a host that reads only pixels. The item is on the bus from the start; it
// tells the watcher about itself when told to (once a host is registered with the watcher, and
// again whenever a watcher or host starts anew).
#pragma once

#include <QDBusConnection>
#include <QImage>
#include <functional>

#include "runtime/qt/tray/status_notifier/dbus_menu.h"
#include "runtime/qt/tray/status_notifier/dbus_types.h"
#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"

namespace vorlin::qt {

class ItemAdaptor;

class StatusNotifierItem final : public DBusObject {
 public:
  enum class Request { Activate, ContextMenu, SecondaryActivate };

  // Item `number` of the program, titled `title`; `requested` hears the host's requests, and a
  // `menu` with entries is exported for the host to show.
  StatusNotifierItem(int number, QString title, QList<ExportedMenuEntry> menu,
                     std::function<void(Request)> requested,
                     std::function<void(int control)> chosen);
  ~StatusNotifierItem() override;
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  // Whether the item is on the bus, for a host to find.
  bool exported() const { return exported_; }
  // Registers the item with the watcher, without waiting for its answer.
  void announce();

  // The 16 × 16 picture; a null image shows none.
  void setPicture(const QImage& picture);
  void setToolTip(const QString& tip);

 private:
  friend class ItemAdaptor;

  QString connectionName_;  // the item's own connection to the bus, by Qt's name for it
  QDBusConnection connection_;
  QString title_;
  QString tip_;
  DBusImages pixmaps_;
  IconThemeFolder theme_;
  DBusObject menuObject_;  // the menu's object on the bus, when there is a menu
  bool hasMenu_ = false;
  std::function<void(Request)> requested_;
  ItemAdaptor* adaptor_;  // the item's interface on the bus, a child of the item
  bool exported_ = false;
};

}  // namespace vorlin::qt

// The notification-area call on Qt: each entry an item of the program's own for a
// StatusNotifierItem host, or a QSystemTrayIcon for an embedding tray, showing the icon the
// graphics layer composed, pixel for pixel, enlarged by whole pixels where the tray wants it
// larger. The entry's mouse reports go to the window that added it, as mouse-move events carrying
// the mouse message, the way the shell reports them. The window's popup menu is also the entry's
// own menu, which a StatusNotifierItem host shows itself; its items raise the window's menu
// clicks.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <array>
#include <memory>

#include "base/tray_messages.h"
#include "runtime/graphics.h"
#include "runtime/qt/forms.h"
#include "runtime/qt/no_tray_report.h"
#include "runtime/qt/owners.h"
#include "runtime/qt/status_notifier_item.h"
#include "runtime/qt/tray_hosts.h"
#include "runtime/shell.h"

namespace vorlin::qt {

class QtShell final : public QObject, public Shell {
 public:
  QtShell(QtForms& forms, Graphics& graphics, ErrorReport& errorReport);
  ~QtShell() override;

  Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    Handle window = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    std::unique_ptr<StatusNotifierItem> item;             // for a StatusNotifierItem host
    std::unique_ptr<QSystemTrayIcon, LaterDeleter> icon;  // for an embedding tray
    std::unique_ptr<QMenu, LaterDeleter> menu;
    QImage picture;  // what the entry shows, for a move to another kind of host
    QString tip;
    unsigned announced = 0;  // the host generation the item was last announced to
    bool used() const { return item || icon; }
  };
  static constexpr std::size_t kMaxEntries = 4;

  Entry* find(Handle window, std::uint32_t id);
  bool add(Entry& free, const NotifyIconFields& fields);
  bool addItem(Entry& free);  // on the bus; told to the watcher once it has its picture
  void addIcon(Entry& free);
  void attachMenu(Entry& entry);
  // Raises an event on the loaded form of `window`, from the event loop.
  void post(Handle window, const Event& event);
  // A host has appeared: the windows whose entries were refused are told, as after the shell's
  // notification area was created anew.
  void hostAppeared();
  void apply(Entry& entry, const NotifyIconFields& fields);
  // Shows the entry's picture, or its tip, on its item or icon.
  void showIcon(Entry& entry);
  void showPicture(Entry& entry);
  void showTip(Entry& entry);
  // The hosts changed: each entry moves to the kind of host there now, if any.
  void hostsChanged();
  // Moves the entry to a host of `kind`: an item for a StatusNotifierItem host, a Qt tray icon
  // for an embedding tray; an item already there is told to a host that is new.
  void rehost(Entry& entry, TrayKind kind);
  void announce(Entry& entry);
  void report(const Entry& entry, std::uint32_t mouseMessage);
  const Entry* entryAt(const QPoint& global) const;

  QtForms& forms_;
  Graphics& graphics_;
  ErrorReport& errorReport_;
  std::array<Entry, kMaxEntries> entries_;
  std::array<Handle, kMaxEntries> refused_{};  // windows whose add found no host
  TrayHosts hosts_;
  // The report that there is no notification area, while it is true.
  std::unique_ptr<NoTrayReport> noTrayReport_;
};

}  // namespace vorlin::qt

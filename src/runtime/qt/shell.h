// The notification-area call on Qt: each entry added is shown by the host there now, as a tray
// entry of that host's kind (tray_entry.h), with the icon the graphics layer composed, pixel for
// pixel, enlarged by whole pixels where the tray wants it larger. The entry's mouse reports go to
// the window that added it, as mouse-move events carrying the mouse message, the way the shell
// reports them. The window's popup menu is also the entry's own menu, which a StatusNotifierItem
// host shows itself; its items raise the window's menu clicks.
#pragma once

#include <QObject>
#include <array>
#include <memory>

#include "runtime/graphics.h"
#include "runtime/qt/forms/forms.h"
#include "runtime/qt/no_tray_report.h"
#include "runtime/qt/tray/tray_entry.h"
#include "runtime/qt/tray/tray_hosts.h"
#include "runtime/shell.h"

namespace vorlin::qt {

class QtShell final : public QObject, public Shell {
 public:
  QtShell(QtForms& forms, Graphics& graphics, ErrorReport& errorReport);

  Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;

 private:
  // What a window added as one entry, and where it is shown now.
  struct AddedEntry {
    bool added = false;
    Handle window = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    QImage picture;
    QString tip;
    std::unique_ptr<TrayEntry> shown;  // null while no host it could wait with is there
  };
  static constexpr std::size_t kMaxEntries = 4;

  AddedEntry* find(Handle window, std::uint32_t id);
  bool add(AddedEntry& slot, const NotifyIconFields& fields);
  void apply(AddedEntry& entry, const NotifyIconFields& fields);
  // The entry of the host's kind for `entry`; null for no host, or an item not on the bus.
  std::unique_ptr<TrayEntry> make(AddedEntry& entry, const TrayHost& host);
  // The hosts changed: each entry is shown to the host there now, moving to it if it must.
  void hostsChanged();
  void rehost(AddedEntry& entry, const TrayHost& host);
  // Raises an event on the loaded form of `window`, from the event loop.
  void post(Handle window, const Event& event);
  void report(const AddedEntry& entry, std::uint32_t mouseMessage);

  QtForms& forms_;
  Graphics& graphics_;
  ErrorReport& errorReport_;
  std::array<AddedEntry, kMaxEntries> entries_;
  std::array<Handle, kMaxEntries> refused_{};  // windows whose add found no host
  TrayHosts hosts_;
  // The report that there is no notification area, while it is true.
  std::unique_ptr<NoTrayReport> noTrayReport_;
};

}  // namespace vorlin::qt

#include "runtime/qt/tray/status_notifier/status_notifier_entry.h"

#include "base/tray_messages.h"
#include "runtime/qt/platform/display_check.h"

namespace vorlin::qt {
StatusNotifierEntry::StatusNotifierEntry(int number, QList<ExportedMenuEntry> menu,
                                         MouseReport reported,
                                         std::function<void(int control)> chosen)
    : item_(
          number, QStringLiteral("Vorlin"), std::move(menu),
          [reported = std::move(reported)](StatusNotifierItem::Request request) {
            using Request = StatusNotifierItem::Request;
            if (request == Request::Activate) reported(kLeftButtonDown);
            // On Wayland the host shows the entry's menu: a popup of ours would be a window of
            // its own, away from the tray.
            if (request == Request::ContextMenu && !onWayland()) reported(kRightButtonUp);
            if (request == Request::SecondaryActivate) reported(kMiddleButtonUp);
          },
          std::move(chosen)) {}

void StatusNotifierEntry::showTo(const TrayHost& host) {
  // A new watcher or host knows no item: it is told again.
  if (host.kind != TrayKind::StatusNotifier || registeredFor_ == host.generation) return;
  item_.announce();
  registeredFor_ = host.generation;
}

}  // namespace vorlin::qt

#include "runtime/qt/status_notifier_entry.h"

#include "base/tray_messages.h"
#include "runtime/qt/display_check.h"

namespace vorlin::qt {
namespace {

// The click a host's request stands for; 0 for none.
std::uint32_t clickOf(StatusNotifierItem::Request request) {
  switch (request) {
    case StatusNotifierItem::Request::Activate:
      return kLeftButtonDown;
    case StatusNotifierItem::Request::ContextMenu:
      // On Wayland the host shows the entry's menu: a popup of ours would be a window of its
      // own, away from the tray.
      return onWayland() ? 0 : kRightButtonUp;
    case StatusNotifierItem::Request::SecondaryActivate:
      return kMiddleButtonUp;
  }
  return 0;
}

}  // namespace

std::unique_ptr<StatusNotifierEntry> StatusNotifierEntry::make(
    int number, QList<ExportedMenuEntry> menu, MouseReport reported,
    std::function<void(int control)> chosen) {
  std::unique_ptr<StatusNotifierEntry> entry(
      new StatusNotifierEntry(number, std::move(menu), std::move(reported), std::move(chosen)));
  if (!entry->item_.exported()) return nullptr;
  return entry;
}

StatusNotifierEntry::StatusNotifierEntry(int number, QList<ExportedMenuEntry> menu,
                                         MouseReport reported,
                                         std::function<void(int control)> chosen)
    : item_(
          number, QStringLiteral("Vorlin"), std::move(menu),
          [reported = std::move(reported)](StatusNotifierItem::Request request) {
            if (const std::uint32_t click = clickOf(request); click != 0) reported(click);
          },
          std::move(chosen)) {}

void StatusNotifierEntry::showTo(const TrayHost& host) {
  // A new watcher or host knows no item: it is told again.
  if (host.kind != TrayKind::StatusNotifier || registeredFor_ == host.generation) return;
  item_.announce();
  registeredFor_ = host.generation;
}

}  // namespace vorlin::qt

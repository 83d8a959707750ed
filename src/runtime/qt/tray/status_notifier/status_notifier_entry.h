// The tray entry as the program's own StatusNotifierItem (status_notifier_item.h), for the hosts of
// desktops that have one. The host's requests are reported as the clicks they stand for. The item
// stays on the bus while no host is there, and registers again with each host that is new to it.
#pragma once

#include "runtime/qt/tray/status_notifier/status_notifier_item.h"
#include "runtime/qt/tray/tray_entry.h"

namespace vorlin::qt {

class StatusNotifierEntry final : public TrayEntry {
 public:
  // Item `number` of the program, with `menu` for the host to show, its choices handed to
  // `chosen`.
  StatusNotifierEntry(int number, QList<ExportedMenuEntry> menu, MouseReport reported,
                      std::function<void(int control)> chosen);

  // Whether the item is on the bus, for a host to find.
  bool exported() const { return item_.exported(); }

  void showPicture(const QImage& picture) override { item_.setPicture(picture); }
  void showTip(const QString& tip) override { item_.setToolTip(tip); }
  bool belongsWith(const TrayHost& host) const override { return host.kind != TrayKind::Embedding; }
  void showTo(const TrayHost& host) override;

 private:
  StatusNotifierItem item_;
  unsigned registeredFor_ = 0;  // the host generation the item last registered with
};

}  // namespace vorlin::qt

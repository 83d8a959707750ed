#include "runtime/qt/menu_items.h"

#include <QAction>
#include <QMenu>

namespace vorlin::qt {

void addMenuItems(QMenu& target, const FormDesc& desc, int menu) {
  for (const ControlDesc& item : desc.controls) {
    if (item.parent != menu) continue;
    if (item.kind == ControlKind::Separator) {
      target.addSeparator();
    } else if (item.kind == ControlKind::Menu) {
      target
          .addAction(
              QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size())))
          ->setData(item.id);
    }
  }
}

int itemOf(const QAction* action) {
  return action != nullptr && action->data().isValid() ? action->data().toInt() : kNone;
}

int popupMenuOf(const FormDesc& desc) {
  for (const ControlDesc& menu : desc.controls) {
    if (menu.kind != ControlKind::Menu || menu.parent != kNone) continue;
    for (const ControlDesc& item : desc.controls) {
      if (item.parent == menu.id) return menu.id;
    }
  }
  return kNone;
}

}  // namespace vorlin::qt

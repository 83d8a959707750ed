#include "runtime/qt/forms/menu_items.h"

#include <QAction>
#include <QMenu>

namespace vorlin::qt {

void addMenuItems(QMenu& target, const FormDesc& desc, int menu) {
  for (const ControlDesc& item : desc.controls) {
    if (item.parent != menu) continue;
    if (isSeparator(item)) {
      target.addSeparator();
    } else if (item.kind == ControlKind::Menu) {
      target
          .addAction(
              QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size())))
          ->setData(item.id);
    }
  }
}

QList<ExportedMenuEntry> exportedMenuEntries(const FormDesc& desc, int menu) {
  QList<ExportedMenuEntry> entries;
  for (const ControlDesc& item : desc.controls) {
    if (item.parent != menu) continue;
    if (isSeparator(item)) {
      entries.append({.label = {}, .separator = true, .control = item.id});
    } else if (item.kind == ControlKind::Menu) {
      // The caption's mnemonic mark '&' is '_' there; a '_' of its own is doubled, "&&" is '&'.
      QString label;
      const QString caption =
          QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size()));
      for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
          const bool doubled = i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&');
          label += doubled ? QLatin1Char('&') : QLatin1Char('_');
          if (doubled) ++i;
        } else if (caption[i] == QLatin1Char('_')) {
          label += QStringLiteral("__");
        } else {
          label += caption[i];
        }
      }
      entries.append({.label = label, .separator = false, .control = item.id});
    }
  }
  return entries;
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

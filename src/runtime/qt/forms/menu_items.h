// The items of a described menu as Qt actions, for the popup and for the tray entry's own menu.
#pragma once

#include <QList>

#include "runtime/form_desc.h"
#include "runtime/qt/tray/status_notifier/dbus_menu.h"

class QMenu;
class QAction;

namespace vorlin::qt {

// Adds the items and separators of menu `menu` of `desc` to `target`; each action carries its
// control's id (see `itemOf`).
void addMenuItems(QMenu& target, const FormDesc& desc, int menu);

// The same items as entries of a menu exported on the session bus.
QList<ExportedMenuEntry> exportedMenuEntries(const FormDesc& desc, int menu);

// The control id of an action made by `addMenuItems`, or kNone.
int itemOf(const QAction* action);

// The form's popup menu: its first top-level menu that has items, or kNone.
int popupMenuOf(const FormDesc& desc);

}  // namespace vorlin::qt

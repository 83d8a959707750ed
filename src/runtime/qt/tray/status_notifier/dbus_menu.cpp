#include "runtime/qt/tray/status_notifier/dbus_menu.h"

namespace vorlin::qt {

namespace {
constexpr uint kRevision = 1;  // the menu never changes
}  // namespace

DBusMenu::DBusMenu(DBusObject& object, QList<ExportedMenuEntry> entries,
                   std::function<void(int control)> chosen)
    : QDBusAbstractAdaptor(&object),
      object_(object),
      entries_(std::move(entries)),
      chosen_(std::move(chosen)) {
  registerDBusTypes();
}

const ExportedMenuEntry* DBusMenu::entry(int id) const {
  return id >= 1 && id <= entries_.size() ? &entries_[id - 1] : nullptr;
}

QVariantMap DBusMenu::properties(int id) const {
  if (id == 0) return {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
  const ExportedMenuEntry* item = entry(id);
  if (item == nullptr) return {};
  if (item->separator) return {{QStringLiteral("type"), QStringLiteral("separator")}};
  return {{QStringLiteral("label"), item->label},
          {QStringLiteral("enabled"), true},
          {QStringLiteral("visible"), true}};
}

bool DBusMenu::choose(int id, const QString& event) {
  if (id == 0) return true;  // the root: opened and closed, nothing to do
  const ExportedMenuEntry* item = entry(id);
  if (item == nullptr) return false;
  if (!item->separator && event == QLatin1String("clicked")) chosen_(item->control);
  return true;
}

void DBusMenu::refuse(int id) {
  object_.sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No entry %1").arg(id));
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList&,
                         DBusMenuLayout& layout) {
  if (!exists(parentId)) {
    refuse(parentId);
    return 0;
  }
  layout = {.id = parentId, .properties = properties(parentId), .children = {}};
  // One level only: the menu has no submenus.
  if (parentId == 0 && recursionDepth != 0) {
    for (int id = 1; id <= entries_.size(); ++id) {
      layout.children.append({.id = id, .properties = properties(id), .children = {}});
    }
  }
  return kRevision;
}

QList<DBusMenuProperties> DBusMenu::GetGroupProperties(const QList<int>& ids, const QStringList&) {
  // Each entry is answered once, however often it is asked for; an empty list asks for all.
  QList<bool> wanted(entries_.size() + 1, ids.isEmpty());
  for (const int id : ids) {
    if (id >= 0 && id < wanted.size()) wanted[id] = true;
  }
  QList<DBusMenuProperties> list;
  for (int id = 0; id < wanted.size(); ++id) {
    if (wanted[id]) list.append({.id = id, .properties = properties(id)});
  }
  return list;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
  const QVariantMap all = properties(id);
  if (!exists(id)) {
    refuse(id);
  } else if (!all.contains(name)) {
    object_.sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No property %1").arg(name));
  }
  return QDBusVariant(all.value(name, 0));
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
  if (!choose(id, eventId)) refuse(id);
}

QList<int> DBusMenu::EventGroup(const QList<DBusMenuEvent>& events) {
  QList<int> unknown;
  for (const DBusMenuEvent& event : events) {
    if (!choose(event.id, event.event)) unknown.append(event.id);
  }
  if (!events.isEmpty() && unknown.size() == events.size()) {
    object_.sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No such entries"));
  }
  return unknown;
}

bool DBusMenu::AboutToShow(int id) {
  if (!exists(id)) refuse(id);
  return false;  // nothing to update
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
  // No entry needs updating; the ids that name none.
  for (const int id : ids) {
    if (!exists(id)) idErrors.append(id);
  }
  return {};
}

}  // namespace vorlin::qt

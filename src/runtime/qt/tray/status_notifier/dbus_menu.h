// A menu exported on the session bus (com.canonical.dbusmenu) for a host that shows a tray
// entry's menu itself, in its own style: the entries of one described menu, each choice handed
// back as that entry's control id. Qt's D-Bus adaptor answers only calls whose arguments have the
// types of a method below, and the properties and introspection calls; the values (entry ids,
// events) are checked here.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "runtime/qt/tray/status_notifier/dbus_types.h"

namespace vorlin::qt {

struct ExportedMenuEntry {
  QString label;  // with the protocol's mnemonic mark, '_'
  bool separator = false;
  int control = 0;
};

class DBusMenu final : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
  Q_PROPERTY(uint Version READ version)
  Q_PROPERTY(QString TextDirection READ textDirection)
  Q_PROPERTY(QString Status READ status)
  Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

 public:
  static constexpr const char* kPath = "/MenuBar";

  // The menu of `object`, which owns it and is exported at kPath.
  DBusMenu(DBusObject& object, QList<ExportedMenuEntry> entries,
           std::function<void(int control)> chosen);

  uint version() const { return 3; }
  QString textDirection() const { return QStringLiteral("ltr"); }
  QString status() const { return QStringLiteral("normal"); }
  QStringList iconThemePath() const { return {}; }

  // The methods of the interface, as the protocol names them. An id that names no entry is
  // answered with an error.
 public slots:
  uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                 vorlin::qt::DBusMenuLayout& layout);
  QList<vorlin::qt::DBusMenuProperties> GetGroupProperties(const QList<int>& ids,
                                                           const QStringList& propertyNames);
  QDBusVariant GetProperty(int id, const QString& name);
  void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
  QList<int> EventGroup(const QList<vorlin::qt::DBusMenuEvent>& events);
  bool AboutToShow(int id);
  QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

 private:
  // The entry shown as `id` on the bus (the root is 0, the entries 1 on), or null.
  const ExportedMenuEntry* entry(int id) const;
  bool exists(int id) const { return id == 0 || entry(id) != nullptr; }
  QVariantMap properties(int id) const;
  // Acts on `event` for entry `id` (the root is 0); false when there is no such entry.
  bool choose(int id, const QString& event);
  void refuse(int id);

  DBusObject& object_;
  QList<ExportedMenuEntry> entries_;
  std::function<void(int)> chosen_;
};

}  // namespace vorlin::qt

// A menu exported on the session bus (com.canonical.dbusmenu) for a host that shows a tray
// entry's menu itself, in its own style: the entries of one described menu, each choice handed
// back as that entry's control id.
#pragma once

#include <QDBusVirtualObject>
#include <QList>
#include <QString>
#include <functional>

namespace vorlin::qt {

struct ExportedMenuEntry {
  QString label;  // with the protocol's mnemonic mark, '_'
  bool separator = false;
  int control = 0;
};

class DBusMenu final : public QDBusVirtualObject {
 public:
  static constexpr const char* kPath = "/MenuBar";

  DBusMenu(QList<ExportedMenuEntry> entries, std::function<void(int control)> chosen);

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  // The entry shown as `id` on the bus (the root is 0, the entries 1 on), or null.
  const ExportedMenuEntry* entry(int id) const;
  QVariantMap properties(int id) const;
  // Acts on `event` for entry `id` (the root is 0); false when there is no such entry.
  bool choose(int id, const QString& event);

  // The answers to the menu's calls, each given the call's arguments.
  QDBusMessage layoutReply(const QDBusMessage& message, const QList<QVariant>& args) const;
  QDBusMessage groupPropertiesReply(const QDBusMessage& message, const QList<QVariant>& args) const;
  QDBusMessage propertyReply(const QDBusMessage& message, const QList<QVariant>& args) const;
  QDBusMessage eventGroupReply(const QDBusMessage& message, const QList<QVariant>& args);

  // The answer to a call of the menu's own interface, checked before it is read.
  QDBusMessage reply(const QDBusMessage& message);

  QList<ExportedMenuEntry> entries_;
  std::function<void(int)> chosen_;
};

}  // namespace vorlin::qt

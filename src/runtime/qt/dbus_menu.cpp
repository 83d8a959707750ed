#include "runtime/qt/dbus_menu.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include "runtime/qt/dbus_types.h"

namespace vorlin::qt {
namespace {

const QString kInterface = QStringLiteral("com.canonical.dbusmenu");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr uint kRevision = 1;  // the menu never changes

const char kIntrospection[] = R"xml(<interface name="com.canonical.dbusmenu">
<property name="Version" type="u" access="read"/>
<property name="TextDirection" type="s" access="read"/>
<property name="Status" type="s" access="read"/>
<property name="IconThemePath" type="as" access="read"/>
<method name="GetLayout"><arg type="i" direction="in"/><arg type="i" direction="in"/>
<arg type="as" direction="in"/><arg type="u" direction="out"/>
<arg type="(ia{sv}av)" direction="out"/></method>
<method name="GetGroupProperties"><arg type="ai" direction="in"/><arg type="as" direction="in"/>
<arg type="a(ia{sv})" direction="out"/></method>
<method name="GetProperty"><arg type="i" direction="in"/><arg type="s" direction="in"/>
<arg type="v" direction="out"/></method>
<method name="Event"><arg type="i" direction="in"/><arg type="s" direction="in"/>
<arg type="v" direction="in"/><arg type="u" direction="in"/></method>
<method name="EventGroup"><arg type="a(isvu)" direction="in"/><arg type="ai" direction="out"/>
</method>
<method name="AboutToShow"><arg type="i" direction="in"/><arg type="b" direction="out"/></method>
<method name="AboutToShowGroup"><arg type="ai" direction="in"/><arg type="ai" direction="out"/>
<arg type="ai" direction="out"/></method>
<signal name="ItemsPropertiesUpdated"><arg type="a(ia{sv})"/><arg type="a(ias)"/></signal>
<signal name="LayoutUpdated"><arg type="u"/><arg type="i"/></signal>
<signal name="ItemActivationRequested"><arg type="i"/><arg type="u"/></signal>
</interface>
)xml";

QVariantMap menuProperties() {
  return {{QStringLiteral("Version"), uint(3)},
          {QStringLiteral("TextDirection"), QStringLiteral("ltr")},
          {QStringLiteral("Status"), QStringLiteral("normal")},
          {QStringLiteral("IconThemePath"), QStringList()}};
}

QList<int> intList(const QVariant& value) {
  return qdbus_cast<QList<int>>(value);
}

}  // namespace

DBusMenu::DBusMenu(QList<ExportedMenuEntry> entries, std::function<void(int control)> chosen)
    : entries_(std::move(entries)), chosen_(std::move(chosen)) {
  registerDBusTypes();
}

QString DBusMenu::introspect(const QString&) const {
  return QString::fromLatin1(kIntrospection);
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

void DBusMenu::choose(int id, const QString& event) {
  const ExportedMenuEntry* item = entry(id);
  if (item != nullptr && !item->separator && event == QLatin1String("clicked")) {
    chosen_(item->control);
  }
}

QDBusMessage DBusMenu::layoutReply(const QDBusMessage& message, const QList<QVariant>& args) const {
  const int parent = args[0].toInt();
  if (parent != 0 && entry(parent) == nullptr)
    return message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("No such entry"));
  DBusMenuLayout layout{.id = parent, .properties = properties(parent), .children = {}};
  // One level only: the menu has no submenus.
  if (parent == 0 && args[1].toInt() != 0) {
    for (int id = 1; id <= entries_.size(); ++id) {
      layout.children.append({.id = id, .properties = properties(id), .children = {}});
    }
  }
  return message.createReply({kRevision, QVariant::fromValue(layout)});
}

QDBusMessage DBusMenu::groupPropertiesReply(const QDBusMessage& message,
                                            const QList<QVariant>& args) const {
  QList<int> ids = intList(args[0]);
  if (ids.isEmpty()) {
    for (int id = 0; id <= entries_.size(); ++id) ids.append(id);
  }
  DBusMenuPropertiesList list;
  for (const int id : ids) {
    if (id == 0 || entry(id) != nullptr) list.append({.id = id, .properties = properties(id)});
  }
  return message.createReply(QVariant::fromValue(list));
}

QDBusMessage DBusMenu::propertyReply(const QDBusMessage& message,
                                     const QList<QVariant>& args) const {
  const QVariantMap all = properties(args[0].toInt());
  const QString name = args[1].toString();
  return all.contains(name) ? message.createReply(QVariant::fromValue(QDBusVariant(all[name])))
                            : message.createErrorReply(QDBusError::InvalidArgs,
                                                       QStringLiteral("No such property"));
}

QDBusMessage DBusMenu::eventGroupReply(const QDBusMessage& message, const QList<QVariant>& args) {
  const QDBusArgument events = args[0].value<QDBusArgument>();
  events.beginArray();
  while (!events.atEnd()) {
    int id = 0;
    QString event;
    QDBusVariant data;
    uint timestamp = 0;
    events.beginStructure();
    events >> id >> event >> data >> timestamp;
    events.endStructure();
    choose(id, event);
  }
  events.endArray();
  return message.createReply(QVariant::fromValue(QList<int>()));
}

bool DBusMenu::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  const QString member = message.member();
  const QList<QVariant> args = message.arguments();
  QDBusMessage reply;
  if (message.interface() == kProperties) {
    reply = propertiesReply(message, menuProperties());
  } else if (message.interface() != kInterface && !message.interface().isEmpty()) {
    return false;
  } else if (member == QLatin1String("GetLayout") && args.size() == 3) {
    reply = layoutReply(message, args);
  } else if (member == QLatin1String("GetGroupProperties") && args.size() == 2) {
    reply = groupPropertiesReply(message, args);
  } else if (member == QLatin1String("GetProperty") && args.size() == 2) {
    reply = propertyReply(message, args);
  } else if (member == QLatin1String("Event") && args.size() == 4) {
    choose(args[0].toInt(), args[1].toString());
    reply = message.createReply();
  } else if (member == QLatin1String("EventGroup") && args.size() == 1) {
    reply = eventGroupReply(message, args);
  } else if (member == QLatin1String("AboutToShow") && args.size() == 1) {
    reply = message.createReply(false);
  } else if (member == QLatin1String("AboutToShowGroup") && args.size() == 1) {
    reply =
        message.createReply({QVariant::fromValue(QList<int>()), QVariant::fromValue(QList<int>())});
  } else {
    return false;
  }
  connection.send(reply);
  return true;
}

}  // namespace vorlin::qt

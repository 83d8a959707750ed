#include "runtime/qt/dbus_menu.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <optional>

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

QDBusMessage noSuchEntry(const QDBusMessage& message, int id) {
  return message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("No entry %1").arg(id));
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

bool DBusMenu::choose(int id, const QString& event) {
  if (id == 0) return true;  // the root: opened and closed, nothing to do
  const ExportedMenuEntry* item = entry(id);
  if (item == nullptr) return false;
  if (!item->separator && event == QLatin1String("clicked")) chosen_(item->control);
  return true;
}

QDBusMessage DBusMenu::layoutReply(const QDBusMessage& message, const QList<QVariant>& args) const {
  const int parent = args[0].toInt();
  if (parent != 0 && entry(parent) == nullptr) return noSuchEntry(message, parent);
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
  // Each entry is answered once, however often it is asked for; an empty list asks for all.
  const QList<int> asked = intList(args[0]);
  QList<bool> wanted(entries_.size() + 1, asked.isEmpty());
  for (const int id : asked) {
    if (id >= 0 && id < wanted.size()) wanted[id] = true;
  }
  DBusMenuPropertiesList list;
  for (int id = 0; id < wanted.size(); ++id) {
    if (wanted[id]) list.append({.id = id, .properties = properties(id)});
  }
  return message.createReply(QVariant::fromValue(list));
}

QDBusMessage DBusMenu::propertyReply(const QDBusMessage& message,
                                     const QList<QVariant>& args) const {
  const int id = args[0].toInt();
  if (id != 0 && entry(id) == nullptr) return noSuchEntry(message, id);
  const QVariantMap all = properties(id);
  const QString name = args[1].toString();
  return all.contains(name) ? message.createReply(QVariant::fromValue(QDBusVariant(all[name])))
                            : message.createErrorReply(QDBusError::InvalidArgs,
                                                       QStringLiteral("No such property"));
}

QDBusMessage DBusMenu::eventGroupReply(const QDBusMessage& message, const QList<QVariant>& args) {
  // The signature is checked: the array holds (isvu) structures and nothing else.
  const QDBusArgument events = args[0].value<QDBusArgument>();
  QList<int> unknown;
  int count = 0;
  events.beginArray();
  while (!events.atEnd()) {
    int id = 0;
    QString event;
    QDBusVariant data;
    uint timestamp = 0;
    events.beginStructure();
    events >> id >> event >> data >> timestamp;
    events.endStructure();
    ++count;
    if (!choose(id, event)) unknown.append(id);
  }
  events.endArray();
  if (count > 0 && unknown.size() == count) {
    return message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("No such entries"));
  }
  return message.createReply(QVariant::fromValue(unknown));
}

QDBusMessage DBusMenu::reply(const QDBusMessage& message) {
  static constexpr DBusMethod kMethods[] = {
      {"GetLayout", "iias"},     {"GetGroupProperties", "aias"}, {"GetProperty", "is"},
      {"Event", "isvu"},         {"EventGroup", "a(isvu)"},      {"AboutToShow", "i"},
      {"AboutToShowGroup", "ai"}};
  if (std::optional<QDBusMessage> refused = refusal(message, kMethods)) return *refused;
  const QString member = message.member();
  const QList<QVariant> args = message.arguments();
  if (member == QLatin1String("GetLayout")) return layoutReply(message, args);
  if (member == QLatin1String("GetGroupProperties")) return groupPropertiesReply(message, args);
  if (member == QLatin1String("GetProperty")) return propertyReply(message, args);
  if (member == QLatin1String("EventGroup")) return eventGroupReply(message, args);
  const int id = args[0].toInt();
  if (member == QLatin1String("Event")) {
    return choose(id, args[1].toString()) ? message.createReply() : noSuchEntry(message, id);
  }
  if (member == QLatin1String("AboutToShow")) {
    return id == 0 || entry(id) != nullptr ? message.createReply(false) : noSuchEntry(message, id);
  }
  // AboutToShowGroup: no entry needs updating; the ids that name none.
  QList<int> unknown;
  for (const int asked : intList(args[0])) {
    if (asked != 0 && entry(asked) == nullptr) unknown.append(asked);
  }
  return message.createReply({QVariant::fromValue(QList<int>()), QVariant::fromValue(unknown)});
}

bool DBusMenu::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  if (message.interface() == kProperties) {
    connection.send(propertiesReply(message, kInterface, menuProperties()));
  } else if (message.interface() == kInterface || message.interface().isEmpty()) {
    connection.send(reply(message));
  } else {
    return false;
  }
  return true;
}

}  // namespace vorlin::qt

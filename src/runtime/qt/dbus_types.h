// The structured values of the notification-area protocols on the session bus: an item's images
// and tooltip, and the layout and properties of an exported menu.
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>
#include <optional>
#include <span>

namespace vorlin::qt {

// One image of an item, (iiay): ARGB32 pixels in network byte order.
struct DBusImage {
  int width = 0;
  int height = 0;
  QByteArray pixels;
};
using DBusImages = QList<DBusImage>;

// `image` as the protocol carries it.
DBusImage dbusImage(const QImage& image);

// An item's tooltip, (sa(iiay)ss).
struct DBusToolTip {
  QString iconName;
  DBusImages images;
  QString title;
  QString description;
};

// A menu entry and, below it, its children, (ia{sv}av): each child a variant of the same.
struct DBusMenuLayout {
  int id = 0;
  QVariantMap properties;
  QList<DBusMenuLayout> children;
};

// A menu entry's properties, (ia{sv}).
struct DBusMenuProperties {
  int id = 0;
  QVariantMap properties;
};
using DBusMenuPropertiesList = QList<DBusMenuProperties>;

// A method of an exported interface and the one signature of its arguments.
struct DBusMethod {
  const char* name;
  const char* signature;
};

// What arrives on the bus is any program's to send: a call is read only once its method is one of
// `methods` and its arguments have that method's signature. The error to answer a call that is
// not (UnknownMethod, InvalidArgs), or nothing for a call that may be read.
std::optional<QDBusMessage> refusal(const QDBusMessage& call, std::span<const DBusMethod> methods);

// The answer to a call of org.freedesktop.DBus.Properties (Get, GetAll) on an object whose
// properties are `all`, of interface `interface`; Set, other interfaces and unknown names are
// refused.
QDBusMessage propertiesReply(const QDBusMessage& call, const QString& interface,
                             const QVariantMap& all);

// Makes the types above known to Qt's D-Bus marshalling; called before any is sent.
void registerDBusTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& tip);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuProperties& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuProperties& entry);

}  // namespace vorlin::qt

Q_DECLARE_METATYPE(vorlin::qt::DBusImage)
Q_DECLARE_METATYPE(vorlin::qt::DBusToolTip)
Q_DECLARE_METATYPE(vorlin::qt::DBusMenuLayout)
Q_DECLARE_METATYPE(vorlin::qt::DBusMenuProperties)

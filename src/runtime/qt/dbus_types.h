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

// The answer to a call of org.freedesktop.DBus.Properties (Get, GetAll) on an object whose
// properties are `all`; Set and unknown names are refused.
QDBusMessage propertiesReply(const QDBusMessage& call, const QVariantMap& all);

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

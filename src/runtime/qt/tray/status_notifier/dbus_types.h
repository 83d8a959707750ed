// The structured values of the notification-area protocols on the session bus: an item's images
// and tooltip, and the layout, properties and events of an exported menu. Registered with Qt's
// D-Bus marshalling, so that the item's and the menu's adaptors carry them as the protocols type
// them, and a call whose arguments are not of these types is refused before it is read.
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusVariant>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QObject>
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

// An event on a menu entry, as EventGroup takes them, (isvu).
struct DBusMenuEvent {
  int id = 0;
  QString event;
  QDBusVariant data;
  uint timestamp = 0;
};

// An object exported on the bus with adaptors. Qt's dispatch keeps on each adaptor the slot it
// found, or found none, for every method name and signature ever called, without bound, and copies
// the whole table at each addition: a caller sending ever new signatures would grow the program
// and slow each call after. The object forgets them after each call it is handed. It is also the
// context through which an adaptor answers a call with an error: Qt gives a call's context to the
// object, not to the adaptor.
class DBusObject : public QObject, public QDBusContext {
  Q_OBJECT

 protected:
  bool event(QEvent* event) override;
};

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
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

}  // namespace vorlin::qt

Q_DECLARE_METATYPE(vorlin::qt::DBusImage)
Q_DECLARE_METATYPE(vorlin::qt::DBusToolTip)
Q_DECLARE_METATYPE(vorlin::qt::DBusMenuLayout)
Q_DECLARE_METATYPE(vorlin::qt::DBusMenuProperties)
Q_DECLARE_METATYPE(vorlin::qt::DBusMenuEvent)

#include "runtime/qt/tray/status_notifier/dbus_types.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMetaType>
#include <QEvent>
#include <QtEndian>

namespace vorlin::qt {

DBusImage dbusImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  DBusImage out{.width = argb.width(), .height = argb.height(), .pixels = {}};
  out.pixels.resize(qsizetype(argb.width()) * argb.height() * 4);
  auto* to = reinterpret_cast<quint32*>(out.pixels.data());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* from = reinterpret_cast<const quint32*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) *to++ = qToBigEndian(from[x]);
  }
  return out;
}

bool DBusObject::event(QEvent* event) {
  const bool handled = QObject::event(event);
  // A call arrives as a meta-call event: Qt's table, the adaptors' dynamic property, is dropped.
  if (event->type() == QEvent::MetaCall) {
    for (QObject* child : children()) {
      if (qobject_cast<QDBusAbstractAdaptor*>(child) == nullptr) continue;
      for (const QByteArray& name : child->dynamicPropertyNames()) {
        child->setProperty(name.constData(), QVariant());
      }
    }
  }
  return handled;
}

void registerDBusTypes() {
  static const bool registered = [] {
    qDBusRegisterMetaType<DBusImage>();
    qDBusRegisterMetaType<DBusImages>();
    qDBusRegisterMetaType<DBusToolTip>();
    qDBusRegisterMetaType<DBusMenuLayout>();
    qDBusRegisterMetaType<DBusMenuProperties>();
    qDBusRegisterMetaType<DBusMenuPropertiesList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<QList<DBusMenuEvent>>();
    return true;
  }();
  (void)registered;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image) {
  argument.beginStructure();
  argument << image.width << image.height << image.pixels;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image) {
  argument.beginStructure();
  argument >> image.width >> image.height >> image.pixels;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& tip) {
  argument.beginStructure();
  argument << tip.iconName << tip.images << tip.title << tip.description;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& tip) {
  argument.beginStructure();
  argument >> tip.iconName >> tip.images >> tip.title >> tip.description;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout) {
  argument.beginStructure();
  argument << layout.id << layout.properties;
  argument.beginArray(QMetaType::fromType<QDBusVariant>());
  for (const DBusMenuLayout& child : layout.children) {
    argument << QDBusVariant(QVariant::fromValue(child));
  }
  argument.endArray();
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout) {
  argument.beginStructure();
  argument >> layout.id >> layout.properties;
  layout.children.clear();
  argument.beginArray();
  while (!argument.atEnd()) {
    QDBusVariant child;
    argument >> child;
    layout.children.append(qdbus_cast<DBusMenuLayout>(child.variant()));
  }
  argument.endArray();
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuProperties& entry) {
  argument.beginStructure();
  argument << entry.id << entry.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuProperties& entry) {
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event) {
  argument.beginStructure();
  argument << event.id << event.event << event.data << event.timestamp;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event) {
  argument.beginStructure();
  argument >> event.id >> event.event >> event.data >> event.timestamp;
  argument.endStructure();
  return argument;
}

}  // namespace vorlin::qt

#include "runtime/qt/dbus_types.h"

#include <QDBusMetaType>
#include <QDBusVariant>
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

std::optional<QDBusMessage> refusal(const QDBusMessage& call, std::span<const DBusMethod> methods) {
  const QString member = call.member();
  for (const DBusMethod& method : methods) {
    if (member != QLatin1String(method.name)) continue;
    if (call.signature() == QLatin1String(method.signature)) return std::nullopt;
    return call.createErrorReply(
        QDBusError::InvalidArgs,
        QStringLiteral("%1 takes (%2), not (%3)")
            .arg(member, QLatin1String(method.signature), call.signature()));
  }
  return call.createErrorReply(QDBusError::UnknownMethod,
                               QStringLiteral("No method %1 here").arg(member));
}

QDBusMessage propertiesReply(const QDBusMessage& call, const QString& interface,
                             const QVariantMap& all) {
  static constexpr DBusMethod kMethods[] = {{"Get", "ss"}, {"GetAll", "s"}, {"Set", "ssv"}};
  if (std::optional<QDBusMessage> refused = refusal(call, kMethods)) return *refused;
  const QList<QVariant> args = call.arguments();
  const QString asked = args[0].toString();
  if (!asked.isEmpty() && asked != interface) {
    return call.createErrorReply(QDBusError::UnknownInterface,
                                 QStringLiteral("No interface %1 here").arg(asked));
  }
  if (call.member() == QLatin1String("GetAll")) return call.createReply(all);
  const QString name = args[1].toString();
  if (!all.contains(name)) {
    return call.createErrorReply(QDBusError::UnknownProperty,
                                 QStringLiteral("No property %1 here").arg(name));
  }
  if (call.member() == QLatin1String("Set")) {
    return call.createErrorReply(QDBusError::PropertyReadOnly,
                                 QStringLiteral("%1 is read-only").arg(name));
  }
  return call.createReply(QVariant::fromValue(QDBusVariant(all[name])));
}

void registerDBusTypes() {
  static const bool registered = [] {
    qDBusRegisterMetaType<DBusImage>();
    qDBusRegisterMetaType<DBusImages>();
    qDBusRegisterMetaType<DBusToolTip>();
    qDBusRegisterMetaType<DBusMenuLayout>();
    qDBusRegisterMetaType<DBusMenuProperties>();
    qDBusRegisterMetaType<DBusMenuPropertiesList>();
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

}  // namespace vorlin::qt

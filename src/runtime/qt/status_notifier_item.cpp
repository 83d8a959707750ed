#include "runtime/qt/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "art/icon_enlargement.h"
#include "runtime/qt/whole_pixel_icon.h"

namespace vorlin::qt {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kPath = QStringLiteral("/StatusNotifierItem");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

const char kIntrospection[] = R"xml(<interface name="org.kde.StatusNotifierItem">
<property name="Category" type="s" access="read"/>
<property name="Id" type="s" access="read"/>
<property name="Title" type="s" access="read"/>
<property name="Status" type="s" access="read"/>
<property name="WindowId" type="i" access="read"/>
<property name="IconThemePath" type="s" access="read"/>
<property name="IconName" type="s" access="read"/>
<property name="IconPixmap" type="a(iiay)" access="read"/>
<property name="OverlayIconName" type="s" access="read"/>
<property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
<property name="AttentionIconName" type="s" access="read"/>
<property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
<property name="AttentionMovieName" type="s" access="read"/>
<property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
<property name="ItemIsMenu" type="b" access="read"/>
<property name="Menu" type="o" access="read"/>
<method name="ContextMenu"><arg name="x" type="i" direction="in"/>
<arg name="y" type="i" direction="in"/></method>
<method name="Activate"><arg name="x" type="i" direction="in"/>
<arg name="y" type="i" direction="in"/></method>
<method name="SecondaryActivate"><arg name="x" type="i" direction="in"/>
<arg name="y" type="i" direction="in"/></method>
<method name="Scroll"><arg name="delta" type="i" direction="in"/>
<arg name="orientation" type="s" direction="in"/></method>
<method name="ProvideXdgActivationToken"><arg name="token" type="s" direction="in"/></method>
<signal name="NewTitle"/>
<signal name="NewIcon"/>
<signal name="NewAttentionIcon"/>
<signal name="NewOverlayIcon"/>
<signal name="NewToolTip"/>
<signal name="NewStatus"><arg name="status" type="s"/></signal>
<signal name="NewIconThemePath"><arg name="icon_theme_path" type="s"/></signal>
</interface>
)xml";

}  // namespace

StatusNotifierItem::StatusNotifierItem(int number, QString title, QList<ExportedMenuEntry> menu,
                                       std::function<void(Request)> requested,
                                       std::function<void(int control)> chosen)
    : connectionName_(QStringLiteral("vorlin-item-%1").arg(number)),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)),
      title_(std::move(title)),
      requested_(std::move(requested)) {
  registerDBusTypes();
  if (!menu.isEmpty()) menu_ = std::make_unique<DBusMenu>(std::move(menu), std::move(chosen));
  exported_ =
      connection_.isConnected() &&
      connection_.registerVirtualObject(kPath, this, QDBusConnection::SingleNode) &&
      (!menu_ || connection_.registerVirtualObject(QString::fromLatin1(DBusMenu::kPath),
                                                   menu_.get(), QDBusConnection::SingleNode));
}

StatusNotifierItem::~StatusNotifierItem() {
  connection_.unregisterObject(kPath);
  if (menu_) connection_.unregisterObject(QString::fromLatin1(DBusMenu::kPath));
  QDBusConnection::disconnectFromBus(connectionName_);
}

void StatusNotifierItem::announce() {
  // Told, not asked: the watcher's answer changes nothing here, and a watcher that hangs must
  // not hold the program up. The item is named by its connection's unique name, which no other
  // client can hold: a host that watches a well-known name for its owner may take the item's
  // properties from before the owner was known, and throw them away (GNOME's AppIndicator
  // extension, after the shell restarts, so that the entry never showed again).
  QDBusMessage add = QDBusMessage::createMethodCall(kWatcher, kWatcherPath, kWatcher,
                                                    QStringLiteral("RegisterStatusNotifierItem"));
  add << connection_.baseService();
  add.setAutoStartService(false);
  connection_.send(add);
}

void StatusNotifierItem::setPicture(const QImage& picture) {
  pixmaps_.clear();
  if (!picture.isNull()) {
    for (const int size : kTraySlotSizes) pixmaps_.append(dbusImage(placed(picture, {size, size})));
  }
  // A theme that could not be written offers no name: the pixels alone are shown.
  theme_.publish(picture);
  // The path first: a host that reads the name on the icon's signal finds it there.
  emitSignal("NewIconThemePath", {theme_.themePath()});
  emitSignal("NewIcon");
}

void StatusNotifierItem::setToolTip(const QString& tip) {
  tip_ = tip;
  emitSignal("NewToolTip");
}

void StatusNotifierItem::emitSignal(const char* name, const QVariantList& args) {
  QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, QString::fromLatin1(name));
  signal.setArguments(args);
  connection_.send(signal);
}

QVariantMap StatusNotifierItem::properties() const {
  const DBusToolTip tip{.iconName = {}, .images = {}, .title = tip_, .description = {}};
  return {
      {QStringLiteral("Category"), QStringLiteral("ApplicationStatus")},
      {QStringLiteral("Id"), QCoreApplication::applicationName()},
      {QStringLiteral("Title"), title_},
      {QStringLiteral("Status"), QStringLiteral("Active")},
      {QStringLiteral("WindowId"), 0},
      {QStringLiteral("IconThemePath"), theme_.themePath()},
      {QStringLiteral("IconName"), theme_.iconName()},
      {QStringLiteral("IconPixmap"), QVariant::fromValue(pixmaps_)},
      {QStringLiteral("OverlayIconName"), QString()},
      {QStringLiteral("OverlayIconPixmap"), QVariant::fromValue(DBusImages())},
      {QStringLiteral("AttentionIconName"), QString()},
      {QStringLiteral("AttentionIconPixmap"), QVariant::fromValue(DBusImages())},
      {QStringLiteral("AttentionMovieName"), QString()},
      {QStringLiteral("ToolTip"), QVariant::fromValue(tip)},
      {QStringLiteral("ItemIsMenu"), false},
      {QStringLiteral("Menu"),
       QVariant::fromValue(QDBusObjectPath(menu_ ? DBusMenu::kPath : "/NO_DBUSMENU"))},
  };
}

QString StatusNotifierItem::introspect(const QString&) const {
  return QString::fromLatin1(kIntrospection);
}

bool StatusNotifierItem::handleMessage(const QDBusMessage& message,
                                       const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  if (message.interface() == kProperties) {
    connection.send(propertiesReply(message, kInterface, properties()));
    return true;
  }
  if (message.interface() != kInterface && !message.interface().isEmpty()) return false;
  static constexpr DBusMethod kMethods[] = {{"Activate", "ii"},
                                            {"ContextMenu", "ii"},
                                            {"SecondaryActivate", "ii"},
                                            {"Scroll", "is"},
                                            {"ProvideXdgActivationToken", "s"}};
  if (std::optional<QDBusMessage> refused = refusal(message, kMethods)) {
    connection.send(*refused);
    return true;
  }
  const QString member = message.member();
  if (member == QLatin1String("Activate")) requested_(Request::Activate);
  if (member == QLatin1String("ContextMenu")) requested_(Request::ContextMenu);
  if (member == QLatin1String("SecondaryActivate")) requested_(Request::SecondaryActivate);
  connection.send(message.createReply());
  return true;
}

}  // namespace vorlin::qt

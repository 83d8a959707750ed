#include "runtime/qt/tray/status_notifier/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include "art/icon_enlargement.h"
#include "runtime/qt/pictures/whole_pixel_icon.h"

namespace vorlin::qt {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kPath = QStringLiteral("/StatusNotifierItem");

}  // namespace

// The item's interface on the bus: Qt's D-Bus adaptor answers only calls whose arguments have
// the types of a method below, and the properties and introspection calls, from the item's state.
class ItemAdaptor final : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ category)
  Q_PROPERTY(QString Id READ id)
  Q_PROPERTY(QString Title READ title)
  Q_PROPERTY(QString Status READ status)
  Q_PROPERTY(int WindowId READ windowId)
  Q_PROPERTY(QString IconThemePath READ iconThemePath)
  Q_PROPERTY(QString IconName READ iconName)
  Q_PROPERTY(vorlin::qt::DBusImages IconPixmap READ iconPixmap)
  Q_PROPERTY(QString OverlayIconName READ noName)
  Q_PROPERTY(vorlin::qt::DBusImages OverlayIconPixmap READ noImages)
  Q_PROPERTY(QString AttentionIconName READ noName)
  Q_PROPERTY(vorlin::qt::DBusImages AttentionIconPixmap READ noImages)
  Q_PROPERTY(QString AttentionMovieName READ noName)
  Q_PROPERTY(vorlin::qt::DBusToolTip ToolTip READ toolTip)
  Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
  Q_PROPERTY(QDBusObjectPath Menu READ menu)

 public:
  explicit ItemAdaptor(StatusNotifierItem& item) : QDBusAbstractAdaptor(&item), item_(item) {}

  QString category() const { return QStringLiteral("ApplicationStatus"); }
  QString id() const { return QCoreApplication::applicationName(); }
  QString title() const { return item_.title_; }
  QString status() const { return QStringLiteral("Active"); }
  int windowId() const { return 0; }
  QString iconThemePath() const { return item_.theme_.themePath(); }
  QString iconName() const { return item_.theme_.iconName(); }
  DBusImages iconPixmap() const { return item_.pixmaps_; }
  QString noName() const { return {}; }
  DBusImages noImages() const { return {}; }
  DBusToolTip toolTip() const {
    return {.iconName = {}, .images = {}, .title = item_.tip_, .description = {}};
  }
  bool itemIsMenu() const { return false; }
  QDBusObjectPath menu() const {
    return QDBusObjectPath(item_.hasMenu_ ? DBusMenu::kPath : "/NO_DBUSMENU");
  }

 public slots:
  // The host's position of the entry is not needed: a popup opens at the pointer.
  void Activate(int /*x*/, int /*y*/) { item_.requested_(Request::Activate); }
  void ContextMenu(int /*x*/, int /*y*/) { item_.requested_(Request::ContextMenu); }
  void SecondaryActivate(int /*x*/, int /*y*/) { item_.requested_(Request::SecondaryActivate); }
  void Scroll(int /*delta*/, const QString& /*orientation*/) {}
  void ProvideXdgActivationToken(const QString& /*token*/) {}

 signals:
  void NewIcon();
  void NewToolTip();
  void NewIconThemePath(const QString& iconThemePath);

 private:
  using Request = StatusNotifierItem::Request;

  StatusNotifierItem& item_;
};

StatusNotifierItem::StatusNotifierItem(int number, QString title, QList<ExportedMenuEntry> menu,
                                       std::function<void(Request)> requested,
                                       std::function<void(int control)> chosen)
    : connectionName_(QStringLiteral("vorlin-item-%1").arg(number)),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)),
      title_(std::move(title)),
      hasMenu_(!menu.isEmpty()),
      requested_(std::move(requested)),
      adaptor_(new ItemAdaptor(*this)) {
  registerDBusTypes();
  if (hasMenu_) new DBusMenu(menuObject_, std::move(menu), std::move(chosen));
  exported_ =
      connection_.isConnected() &&
      connection_.registerObject(kPath, this, QDBusConnection::ExportAdaptors) &&
      (!hasMenu_ || connection_.registerObject(QString::fromLatin1(DBusMenu::kPath), &menuObject_,
                                               QDBusConnection::ExportAdaptors));
}

StatusNotifierItem::~StatusNotifierItem() {
  connection_.unregisterObject(kPath);
  if (hasMenu_) connection_.unregisterObject(QString::fromLatin1(DBusMenu::kPath));
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
  emit adaptor_->NewIconThemePath(theme_.themePath());
  emit adaptor_->NewIcon();
}

void StatusNotifierItem::setToolTip(const QString& tip) {
  tip_ = tip;
  emit adaptor_->NewToolTip();
}

}  // namespace vorlin::qt

#include "status_notifier_item.moc"

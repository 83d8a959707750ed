#include "runtime/qt/shell.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "runtime/qt/display_check.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/form_window.h"
#include "runtime/qt/icon_image.h"
#include "runtime/qt/menu_items.h"
#include "runtime/qt/whole_pixel_icon.h"

namespace vorlin::qt {
namespace {

// The window an embedding tray holds for an entry: Qt makes one plain top-level window for each
// shown QSystemTrayIcon, and its mouse events are the entry's own. Told apart by what Qt promises
// of every other window it makes (menus are popups, tooltips tooltips, message boxes dialogs) and
// by the program's own windows, which carry their mark: not by the private class's name.
bool isEmbeddedEntry(const QObject* object) {
  if (!object->isWidgetType()) return false;
  const auto* widget = static_cast<const QWidget*>(object);
  return widget->isWindow() && widget->windowType() == Qt::Window &&
         !FormWindow::isFormWindow(*widget);
}

bool embeddedEntriesExist() {
  for (const QWidget* widget : QApplication::topLevelWidgets()) {
    if (isEmbeddedEntry(widget)) return true;
  }
  return false;
}

}  // namespace

QtShell::QtShell(QtForms& forms, Graphics& graphics, ErrorReport& errorReport)
    : forms_(forms),
      graphics_(graphics),
      errorReport_(errorReport),
      hosts_([this] { hostsChanged(); },
             [this] { noTrayReport_ = std::make_unique<NoTrayReport>(); }) {}

QtShell::~QtShell() {
  for (Entry& entry : entries_) {
    if (entry.icon) entry.icon->hide();
  }
}

QtShell::Entry* QtShell::find(Handle window, std::uint32_t id) {
  for (Entry& entry : entries_) {
    if (entry.used() && entry.window == window && entry.id == id) return &entry;
  }
  return nullptr;
}

void QtShell::apply(Entry& entry, const NotifyIconFields& fields) {
  if ((fields.uFlags & kNifMessage) != 0) entry.callbackMessage = fields.uCallbackMessage;
  if ((fields.uFlags & kNifIcon) != 0) {
    IconPixels pixels;
    entry.picture = graphics_.readIcon(fields.hIcon, pixels).ok() ? imageOfIcon(pixels) : QImage();
    showPicture(entry);
  }
  if ((fields.uFlags & kNifTip) != 0) {
    const std::string_view tip = fields.tip();
    entry.tip = QString::fromLatin1(tip.data(), static_cast<qsizetype>(tip.size()));
    showTip(entry);
  }
}

void QtShell::showPicture(Entry& entry) {
  if (entry.item) entry.item->setPicture(entry.picture);
  if (entry.icon) {
    entry.icon->setIcon(entry.picture.isNull() ? QIcon() : enlargingIcon(entry.picture));
  }
}

void QtShell::showTip(Entry& entry) {
  if (entry.item) entry.item->setToolTip(entry.tip);
  if (entry.icon) entry.icon->setToolTip(entry.tip);
}

void QtShell::hostsChanged() {
  const TrayKind kind = hosts_.available();
  if (kind == TrayKind::None) return;  // the entries wait where they are
  noTrayReport_.reset();               // no longer true
  for (Entry& entry : entries_) {
    if (entry.used()) rehost(entry, kind);
  }
  hostAppeared();
}

void QtShell::rehost(Entry& entry, TrayKind kind) {
  if (kind == TrayKind::StatusNotifier && entry.item) {
    // A new watcher or host knows no item: it is told again.
    if (entry.announced != hosts_.hostGeneration()) announce(entry);
    return;
  }
  if ((kind == TrayKind::StatusNotifier) == (entry.item != nullptr)) return;
  if (kind == TrayKind::StatusNotifier) {
    // The icon stays where it is until the item is on the bus.
    std::unique_ptr<QSystemTrayIcon, LaterDeleter> icon = std::move(entry.icon);
    std::unique_ptr<QMenu, LaterDeleter> menu = std::move(entry.menu);
    if (!addItem(entry)) {
      entry.icon = std::move(icon);
      entry.menu = std::move(menu);
      return;
    }
    if (icon) icon->hide();
    showPicture(entry);
    showTip(entry);
    announce(entry);  // once it has its picture
  } else {
    entry.item.reset();
    addIcon(entry);
    showPicture(entry);
    showTip(entry);
    showIcon(entry);  // shown once it has its picture
  }
}

void QtShell::showIcon(Entry& entry) {
  entry.icon->show();
  // Showing it on an embedding tray makes its window there: the mouse events of that window
  // alone are watched, never the rest of the program's (a timer event every 10 ms).
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (isEmbeddedEntry(widget)) widget->installEventFilter(this);
  }
}

void QtShell::announce(Entry& entry) {
  entry.item->announce();
  entry.announced = hosts_.hostGeneration();
}

bool QtShell::add(Entry& free, const NotifyIconFields& fields) {
  const TrayKind kind = hosts_.available();
  if (kind == TrayKind::None) {
    // Told again once a host appears; until then the window's own retries find none.
    for (Handle& window : refused_) {
      if (window == fields.hWnd) break;
      if (window == 0) {
        window = fields.hWnd;
        break;
      }
    }
    return false;
  }
  free.window = fields.hWnd;
  free.id = fields.uID;
  free.callbackMessage = 0;
  if (kind == TrayKind::StatusNotifier) {
    if (!addItem(free)) return false;
  } else {
    addIcon(free);
  }
  apply(free, fields);
  if (free.item) announce(free);  // once it has its picture: a host reads it whole, once
  if (free.icon) showIcon(free);
  return true;
}

bool QtShell::addItem(Entry& free) {
  QList<ExportedMenuEntry> menu;
  if (const Form* form = forms_.formOfWindow(free.window)) {
    const int popup = popupMenuOf(form->description());
    if (popup != kNone) menu = exportedMenuEntries(form->description(), popup);
  }
  const Handle window = free.window;
  Entry* entry = &free;
  const int number = static_cast<int>(entry - entries_.data()) + 1;
  free.item = std::make_unique<StatusNotifierItem>(
      number, QStringLiteral("Vorlin"), std::move(menu),
      [this, entry](StatusNotifierItem::Request request) {
        switch (request) {
          case StatusNotifierItem::Request::Activate:
            report(*entry, kLeftButtonDown);
            break;
          case StatusNotifierItem::Request::ContextMenu:
            // On Wayland the host shows the entry's menu: a popup of ours would be a window of
            // its own, away from the tray.
            if (!onWayland()) report(*entry, kRightButtonUp);
            break;
          case StatusNotifierItem::Request::SecondaryActivate:
            report(*entry, kMiddleButtonUp);
            break;
        }
      },
      [this, window](int control) {
        post(window, Event{.kind = EventKind::Click, .control = control});
      });
  if (!free.item->exported()) {
    free.item.reset();
    return false;
  }
  return true;
}

void QtShell::addIcon(Entry& free) {
  free.icon.reset(new QSystemTrayIcon);
  QSystemTrayIcon* icon = free.icon.get();
  Entry* entry = &free;
  QObject::connect(icon, &QSystemTrayIcon::activated, this,
                   [this, entry](QSystemTrayIcon::ActivationReason reason) {
                     // An embedded entry's buttons are read from its own mouse events.
                     if (embeddedEntriesExist()) return;
                     if (reason == QSystemTrayIcon::Context && !onWayland()) {
                       report(*entry, kRightButtonUp);
                     }
                     if (reason == QSystemTrayIcon::Trigger) report(*entry, kLeftButtonDown);
                     if (reason == QSystemTrayIcon::DoubleClick) {
                       report(*entry, kLeftButtonDoubleClick);
                     }
                     if (reason == QSystemTrayIcon::MiddleClick) report(*entry, kMiddleButtonUp);
                   });
  attachMenu(free);
}

void QtShell::attachMenu(Entry& entry) {
  const Form* form = forms_.formOfWindow(entry.window);
  if (form == nullptr) return;
  const FormDesc& desc = form->description();
  const int menu = popupMenuOf(desc);
  if (menu == kNone) return;
  entry.menu.reset(new QMenu);
  addMenuItems(*entry.menu, desc, menu);
  const Handle window = entry.window;
  QObject::connect(entry.menu.get(), &QMenu::triggered, this, [this, window](QAction* action) {
    const int item = itemOf(action);
    if (item != kNone) post(window, Event{.kind = EventKind::Click, .control = item});
  });
  entry.icon->setContextMenu(entry.menu.get());
}

void QtShell::post(Handle window, const Event& event) {
  // Delivered from the event loop, once the tray's own event handling is over: a handler may
  // remove the entry.
  QMetaObject::invokeMethod(
      this,
      [this, window, event] {
        if (Form* form = forms_.formOfWindow(window)) raise(errorReport_, *form, event);
      },
      Qt::QueuedConnection);
}

void QtShell::hostAppeared() {
  for (Handle& window : refused_) {
    if (window != 0) post(window, Event{.kind = EventKind::TaskbarCreated});
    window = 0;
  }
}

Result<bool> QtShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) {
  const NotifyIconFields fields = decodeRecord(record);
  if (fields.cbSize != kNotifyIconRecordSize) return {kOk, false};
  Entry* entry = find(fields.hWnd, fields.uID);

  switch (message) {
    case kNimAdd:
      if (entry != nullptr) return {kOk, false};
      for (Entry& free : entries_) {
        if (!free.used()) return {kOk, add(free, fields)};
      }
      return {kOk, false};
    case kNimModify:
      if (entry == nullptr) return {kOk, false};
      apply(*entry, fields);
      return {kOk, true};
    case kNimDelete:
      if (entry == nullptr) return {kOk, false};
      if (entry->icon) entry->icon->hide();
      entry->icon.reset();
      entry->item.reset();
      entry->menu.reset();
      return {kOk, true};
    default:
      return {kOk, false};
  }
}

const QtShell::Entry* QtShell::entryAt(const QPoint& global) const {
  const Entry* only = nullptr;
  int count = 0;
  for (const Entry& entry : entries_) {
    if (!entry.icon) continue;
    if (entry.icon->geometry().contains(global)) return &entry;
    only = &entry;
    ++count;
  }
  return count == 1 ? only : nullptr;
}

bool QtShell::eventFilter(QObject* watched, QEvent* event) {
  // Only the embedded entries' windows are watched (showIcon).
  const QEvent::Type type = event->type();
  const bool mouse = type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
                     type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
  if (!mouse || !isEmbeddedEntry(watched)) return QObject::eventFilter(watched, event);
  std::uint32_t mouseMessage = kMouseMove;
  if (type != QEvent::MouseMove) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    // Each button's messages follow one another: down, up, double click.
    const std::uint32_t down = button == Qt::LeftButton    ? kLeftButtonDown
                               : button == Qt::RightButton ? kRightButtonDown
                                                           : kMiddleButtonDown;
    const std::uint32_t offset = type == QEvent::MouseButtonPress     ? 0
                                 : type == QEvent::MouseButtonRelease ? 1
                                                                      : 2;
    mouseMessage = down + offset;
  }
  const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
  if (const Entry* entry = entryAt(global)) report(*entry, mouseMessage);
  // The entry's own handling (it would open no menu of ours) is left out.
  return true;
}

void QtShell::report(const Entry& entry, std::uint32_t mouseMessage) {
  if (!entry.used() || entry.callbackMessage != kMouseMove) return;
  const Result<Twips> ratio = forms_.twipsPerPixelX();
  if (ratio.status.failed()) return reportIfFailed(errorReport_, ratio.status);
  post(entry.window,
       Event{.kind = EventKind::MouseMove, .x = static_cast<Twips>(mouseMessage) * ratio.value});
}

}  // namespace vorlin::qt

#include "runtime/qt/shell.h"

#include "base/tray_messages.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/forms/menu_items.h"
#include "runtime/qt/pictures/icon_image.h"
#include "runtime/qt/tray/embedding/embedding_entry.h"
#include "runtime/qt/tray/status_notifier/status_notifier_entry.h"

namespace vorlin::qt {

QtShell::QtShell(QtForms& forms, Graphics& graphics, ErrorReport& errorReport)
    : forms_(forms),
      graphics_(graphics),
      errorReport_(errorReport),
      hosts_([this] { hostsChanged(); },
             [this] { noTrayReport_ = std::make_unique<NoTrayReport>(); }) {}

QtShell::AddedEntry* QtShell::find(Handle window, std::uint32_t id) {
  for (AddedEntry& entry : entries_) {
    if (entry.added && entry.window == window && entry.id == id) return &entry;
  }
  return nullptr;
}

void QtShell::apply(AddedEntry& entry, const NotifyIconFields& fields) {
  if ((fields.uFlags & kNifMessage) != 0) entry.callbackMessage = fields.uCallbackMessage;
  if ((fields.uFlags & kNifIcon) != 0) {
    IconPixels pixels;
    entry.picture = graphics_.readIcon(fields.hIcon, pixels).ok() ? imageOfIcon(pixels) : QImage();
    if (entry.shown) entry.shown->showPicture(entry.picture);
  }
  if ((fields.uFlags & kNifTip) != 0) {
    const std::string_view tip = fields.tip();
    entry.tip = QString::fromLatin1(tip.data(), static_cast<qsizetype>(tip.size()));
    if (entry.shown) entry.shown->showTip(entry.tip);
  }
}

std::unique_ptr<TrayEntry> QtShell::make(AddedEntry& entry, const TrayHost& host) {
  const auto reported = [this, &entry](std::uint32_t mouseMessage) { report(entry, mouseMessage); };
  if (host.kind == TrayKind::Embedding) {
    return std::make_unique<EmbeddingEntry>(host.tray, reported);
  }
  if (host.kind != TrayKind::StatusNotifier) return nullptr;
  QList<ExportedMenuEntry> menu;
  if (const Form* form = forms_.formOfWindow(entry.window)) {
    const int popup = popupMenuOf(form->description());
    if (popup != kNone) menu = exportedMenuEntries(form->description(), popup);
  }
  const Handle window = entry.window;
  auto item = std::make_unique<StatusNotifierEntry>(
      static_cast<int>(&entry - entries_.data()) + 1, std::move(menu), reported,
      [this, window](int control) {
        post(window, Event{.kind = EventKind::Click, .control = control});
      });
  if (!item->exported()) return nullptr;
  return item;
}

void QtShell::hostsChanged() {
  const TrayHost host = hosts_.current();
  for (AddedEntry& entry : entries_) {
    if (entry.added) rehost(entry, host);
  }
  if (host.kind == TrayKind::None) return;
  noTrayReport_.reset();  // no longer true
  // The windows whose entries were refused are told, as after the shell's notification area was
  // created anew.
  for (Handle& window : refused_) {
    if (window != 0) post(window, Event{.kind = EventKind::TaskbarCreated});
    window = 0;
  }
}

void QtShell::rehost(AddedEntry& entry, const TrayHost& host) {
  if (entry.shown && entry.shown->belongsWith(host)) {
    if (host.kind != TrayKind::None) entry.shown->showTo(host);
    return;
  }
  std::unique_ptr<TrayEntry> next = make(entry, host);
  // An item that could not go on the bus leaves the entry where it is.
  if (next == nullptr && host.kind != TrayKind::None) return;
  if (next != nullptr) {
    next->showPicture(entry.picture);
    next->showTip(entry.tip);
    next->showTo(host);  // once it has its picture: a host reads it whole, once
  }
  entry.shown = std::move(next);
}

bool QtShell::add(AddedEntry& slot, const NotifyIconFields& fields) {
  const TrayHost host = hosts_.current();
  if (host.kind == TrayKind::None) {
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
  slot.window = fields.hWnd;
  slot.id = fields.uID;
  slot.callbackMessage = 0;
  slot.shown = make(slot, host);
  if (slot.shown == nullptr) return false;
  slot.added = true;
  apply(slot, fields);
  slot.shown->showTo(host);
  return true;
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

Result<bool> QtShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) {
  const NotifyIconFields fields = decodeRecord(record);
  if (fields.cbSize != kNotifyIconRecordSize) return {kOk, false};
  AddedEntry* entry = find(fields.hWnd, fields.uID);

  switch (message) {
    case kNimAdd:
      if (entry != nullptr) return {kOk, false};
      for (AddedEntry& slot : entries_) {
        if (!slot.added) return {kOk, add(slot, fields)};
      }
      return {kOk, false};
    case kNimModify:
      if (entry == nullptr) return {kOk, false};
      apply(*entry, fields);
      return {kOk, true};
    case kNimDelete:
      if (entry == nullptr) return {kOk, false};
      *entry = AddedEntry{};
      return {kOk, true};
    default:
      return {kOk, false};
  }
}

void QtShell::report(const AddedEntry& entry, std::uint32_t mouseMessage) {
  if (!entry.added || entry.callbackMessage != kMouseMove) return;
  const Result<Twips> ratio = forms_.twipsPerPixelX();
  if (ratio.status.failed()) return reportIfFailed(errorReport_, ratio.status);
  post(entry.window,
       Event{.kind = EventKind::MouseMove, .x = static_cast<Twips>(mouseMessage) * ratio.value});
}

}  // namespace vorlin::qt

#include "runtime/qt/tray/embedding/embedding_tray.h"

#include <QCoreApplication>

#include "runtime/qt/platform/owners.h"
#include "runtime/qt/platform/x11.h"

namespace vorlin::qt {

EmbeddingTray::EmbeddingTray(std::function<void()> changed) {
  connection_ = x11Connection();
  if (connection_ == nullptr) return;
  selection_ = internedAtom(connection_, "_NET_SYSTEM_TRAY_S0");
  manager_ = internedAtom(connection_, "MANAGER");
  // Qt asks for the root window's structure events itself: the MANAGER message reaches this
  // filter without asking for more.
  QCoreApplication::instance()->installNativeEventFilter(this);
  lookAgain();
  changed_ = std::move(changed);  // told of changes after this first look
}

EmbeddingTray::~EmbeddingTray() {
  if (connection_ != nullptr && QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

void EmbeddingTray::lookAgain() {
  const std::uint32_t before = owner_;
  owner_ = 0;
  // A window that goes between the question and the request to follow it has lost the
  // selection: the owner is asked again until it is one that is followed.
  for (int tries = 0; tries < 3 && selection_ != XCB_ATOM_NONE; ++tries) {
    const auto owner = ownedReply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, selection_), nullptr));
    if (!owner || owner->owner == XCB_NONE) break;
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, owner->owner, XCB_CW_EVENT_MASK, &mask);
    const auto again = ownedReply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, selection_), nullptr));
    if (again && again->owner == owner->owner) {
      owner_ = owner->owner;
      break;
    }
  }
  if (owner_ != before && changed_) changed_();
}

bool EmbeddingTray::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t type = event->response_type & 0x7f;
  if (type == XCB_CLIENT_MESSAGE) {
    const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (client->type == manager_ && client->format == 32 && client->data.data32[1] == selection_) {
      lookAgain();
    }
  } else if (type == XCB_DESTROY_NOTIFY) {
    const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
    if (owner_ != 0 && destroyed->window == owner_) lookAgain();
  }
  return false;  // Qt's own handling goes on
}

}  // namespace vorlin::qt

#include "runtime/qt/forms/expected_frame.h"

#include <QCoreApplication>

#include "runtime/qt/platform/owners.h"
#include "runtime/qt/platform/x11.h"

namespace vorlin::qt {
namespace {

XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type,
                                            std::uint32_t length) {
  return ownedReply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, length), nullptr));
}

// Whether the window manager says it answers `request`.
bool answers(xcb_connection_t* c, xcb_window_t root, xcb_atom_t supported, xcb_atom_t request) {
  const auto list = property(c, root, supported, XCB_ATOM_ATOM, 1024);
  if (!list || list->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
  const int count = xcb_get_property_value_length(list.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == request) return true;
  }
  return false;
}

}  // namespace

ExpectedFrame::ExpectedFrame() {
  c_ = x11Connection();
  if (c_ == nullptr) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
  if (screen == nullptr) {
    c_ = nullptr;
    return;
  }
  root_ = screen->root;
  request_ = internedAtom(c_, "_NET_REQUEST_FRAME_EXTENTS");
  extents_ = internedAtom(c_, "_NET_FRAME_EXTENTS");
  supported_ = internedAtom(c_, "_NET_SUPPORTED");
  window_ = xcb_generate_id(c_);
  // The answer is a property on the window: its change is told.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, root_, 0, 0, 100, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  // Qt listens to the root window's properties: a window manager that starts sets them.
  QCoreApplication::instance()->installNativeEventFilter(this);
  ask();
}

ExpectedFrame::~ExpectedFrame() {
  if (c_ == nullptr) return;
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
  xcb_destroy_window(c_, window_);
  xcb_flush(c_);
}

void ExpectedFrame::ask() {
  if (request_ == XCB_ATOM_NONE || !answers(c_, root_, supported_, request_)) return;
  xcb_client_message_event_t ask{};
  ask.response_type = XCB_CLIENT_MESSAGE;
  ask.format = 32;
  ask.window = window_;
  ask.type = request_;
  xcb_send_event(c_, 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&ask));
  xcb_flush(c_);
}

void ExpectedFrame::readAnswer() {
  const auto value = property(c_, window_, extents_, XCB_ATOM_CARDINAL, 4);
  if (!value || value->format != 32 || xcb_get_property_value_length(value.get()) != 16) return;
  const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(value.get()));
  // Left, right, top, bottom.
  answer_ = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                     static_cast<int>(v[3]));
}

QMargins ExpectedFrame::margins() {
  if (c_ != nullptr && !answer_) ask();  // for the next window
  return answer_.value_or(QMargins());
}

bool ExpectedFrame::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
  const auto* changed = reinterpret_cast<const xcb_property_notify_event_t*>(event);
  if (changed->window == window_ && changed->atom == extents_) readAnswer();
  // A window manager that starts sets several properties of the root window, the list of what it
  // supports among the first, and may not listen yet when it does: until it has answered, each
  // change asks again. A window manager that replaces another is asked anew.
  if (changed->window == root_ && (!answer_ || changed->atom == supported_)) ask();
  return false;  // Qt's own handling goes on
}

}  // namespace vorlin::qt

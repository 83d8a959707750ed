#include "runtime/qt/expected_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <chrono>
#include <cstring>
#include <thread>

#include "runtime/qt/owners.h"

namespace vorlin::qt {
namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  const auto reply = ownedReply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type,
                                            std::uint32_t length) {
  return ownedReply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, length), nullptr));
}

// Whether the window manager says it answers `request`.
bool answers(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request) {
  const auto supported = property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
  if (!supported || supported->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
  const int count = xcb_get_property_value_length(supported.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == request) return true;
  }
  return false;
}

// A window of the program's own that is never shown, destroyed with its owner.
struct UnmappedWindow {
  xcb_connection_t* c;
  xcb_window_t id;
  UnmappedWindow(xcb_connection_t* connection, xcb_window_t root)
      : c(connection), id(xcb_generate_id(connection)) {
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, root, 0, 0, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  }
  UnmappedWindow(const UnmappedWindow&) = delete;
  UnmappedWindow& operator=(const UnmappedWindow&) = delete;
  ~UnmappedWindow() {
    xcb_destroy_window(c, id);
    xcb_flush(c);
  }
};

}  // namespace

QMargins expectedFrame() {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return {};
  xcb_connection_t* c = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (screen == nullptr) return {};
  const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  if (request == XCB_ATOM_NONE || !answers(c, screen->root, request)) return {};

  const UnmappedWindow window(c, screen->root);
  xcb_client_message_event_t ask{};
  ask.response_type = XCB_CLIENT_MESSAGE;
  ask.format = 32;
  ask.window = window.id;
  ask.type = request;
  xcb_send_event(c, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&ask));
  xcb_flush(c);
  // The answer is a property on the window; a window manager that announced it answers does so
  // at once, so a short wait is all it gets.
  const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (std::chrono::steady_clock::now() < end) {
    const auto value = property(c, window.id, extents, XCB_ATOM_CARDINAL, 4);
    if (value && value->format == 32 && xcb_get_property_value_length(value.get()) == 16) {
      const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(value.get()));
      // Left, right, top, bottom.
      return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                      static_cast<int>(v[3]));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

}  // namespace vorlin::qt

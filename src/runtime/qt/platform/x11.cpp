#include "runtime/qt/platform/x11.h"

#include <QGuiApplication>
#include <cstring>

#include "runtime/qt/platform/owners.h"

namespace vorlin::qt {

xcb_connection_t* x11Connection() {
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t internedAtom(xcb_connection_t* c, const char* name) {
  const auto reply = ownedReply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace vorlin::qt

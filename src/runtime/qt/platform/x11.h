// What the Qt runtime's pieces that speak to the X server share: the program's connection to it
// and the atoms they name.
#pragma once

#include <xcb/xcb.h>

namespace vorlin::qt {

// The connection Qt holds to the X server; null off X11 (Wayland, offscreen).
xcb_connection_t* x11Connection();

// The atom named `name`, made if the server has none yet; XCB_ATOM_NONE when the server refused.
xcb_atom_t internedAtom(xcb_connection_t* c, const char* name);

}  // namespace vorlin::qt

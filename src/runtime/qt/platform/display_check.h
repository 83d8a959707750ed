// Whether the program has a display to show its tray entry on, asked before Qt is started:
// without one, Qt would end the process with an abort.
#pragma once

#include <string>

namespace vorlin::qt {

inline constexpr const char* kNoDisplayMessage =
    "vorlin: no display: set DISPLAY or WAYLAND_DISPLAY";
// Followed by what the environment names, for example ":99" or "wayland-1".
inline constexpr const char* kUnreachableMessage = "vorlin: cannot reach ";
// Followed by the names in QT_QPA_PLATFORM that Qt has no platform for, and the ones it has.
inline constexpr const char* kUnknownPlatformMessage = "vorlin: Qt has no platform ";

// Empty when a platform that Qt would start answers: of the list in `QT_QPA_PLATFORM`
// ("wayland;xcb"), in its order, else Wayland or X; a Wayland compositor's socket or an X server
// as the environment names them (`WAYLAND_DISPLAY`, `DISPLAY`), or a platform that needs neither
// (offscreen). Otherwise the line to tell the user: a named platform that Qt lacks (and the ones
// it has), that no display is named, or which named display did not answer.
std::string displayProblem();

// Whether the running Qt program is on Wayland (once the application exists).
bool onWayland();

}  // namespace vorlin::qt

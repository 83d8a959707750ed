// Whether the program has a display to show its tray entry on, asked before Qt is started:
// without one, Qt would end the process with an abort.
#pragma once

#include <string>

namespace vorlin::qt {

inline constexpr const char* kNoDisplayMessage =
    "vorlin: no display: set DISPLAY or WAYLAND_DISPLAY";
// Followed by what the environment names, for example ":99" or "wayland-1".
inline constexpr const char* kUnreachableMessage = "vorlin: cannot reach ";

// Empty when a Wayland compositor's socket or an X server answers, as the environment names them
// (`WAYLAND_DISPLAY`, `DISPLAY`), or when Qt is told to use a platform that needs neither.
// Otherwise the line to tell the user: that neither is named, or which named display did not
// answer.
std::string displayProblem();

// Whether the running Qt program is on Wayland (once the application exists).
bool onWayland();

}  // namespace vorlin::qt

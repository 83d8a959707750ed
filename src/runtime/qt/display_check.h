// Whether the program has a display to show its tray entry on, asked before Qt is started:
// without one, Qt would end the process with an abort.
#pragma once

namespace vorlin::qt {

// True when a Wayland compositor's socket or an X server answers, as the environment names them
// (`WAYLAND_DISPLAY`, `DISPLAY`), or when Qt is told to use a platform that needs neither.
bool displayAvailable();

// Whether the running Qt program is on Wayland (once the application exists).
bool onWayland();

inline constexpr const char* kNoDisplayMessage =
    "vorlin: no display: set DISPLAY or WAYLAND_DISPLAY";

}  // namespace vorlin::qt

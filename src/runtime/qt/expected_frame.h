// The frame a window manager puts round a window, known before any window is shown, so that a
// window can be placed by its frame from the start.
#pragma once

#include <QMargins>

namespace vorlin::qt {

// The frame of an ordinary top-level window, as the X11 window manager estimates it when asked
// (_NET_REQUEST_FRAME_EXTENTS); no margins where there is none that answers.
QMargins expectedFrame();

}  // namespace vorlin::qt

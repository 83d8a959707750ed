// Freed heap memory handed back to the system.
#pragma once

#include <QWidget>

namespace vorlin::qt {

// Once `window` has been drawn for the first time, hands the pages of freed heap memory back to
// the system. Showing a window passes through a peak that is freed at once (the window icon's
// images at every size, the font database's start), and the allocator would otherwise keep those
// pages counted to the program for as long as the window shows, hours maybe.
void giveBackFreedMemoryOnceDrawn(QWidget& window);

}  // namespace vorlin::qt

// An icon drawn only as whole-pixel enlargements of one picture: every source pixel an n × n
// block, n the largest whole factor that fits the place, centred there; never smoothed.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace vorlin::qt {

// The sizes of the program icon in the desktop's icon theme, and of the icons of its windows: the
// build names them once (VORLIN_ICON_SET_SIZES, the files it writes for the theme).
inline constexpr int kIconSetSizes[] = {VORLIN_ICON_SET_SIZES};

// The 16 × 16 `picture` at the largest whole factor that fits `size` (1 for a smaller place),
// centred on a
// transparent image of that size.
QImage placed(const QImage& picture, QSize size);

// The icon of a 16 × 16 `picture` offered at each of kIconSetSizes, placed there: a window
// manager or task manager that asks for one of them gets it exactly.
QIcon iconSet(const QImage& picture);

}  // namespace vorlin::qt

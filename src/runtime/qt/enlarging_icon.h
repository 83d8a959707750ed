// An icon drawn only as whole-pixel enlargements of one picture: every source pixel an n × n
// block, n the largest whole factor that fits the place, centred there; never smoothed.
#pragma once

#include <QIcon>
#include <QImage>

namespace vorlin::qt {

// `picture` with every pixel made a `factor` × `factor` block.
QImage enlarged(const QImage& picture, int factor);

// The icon of a 16 × 16 `picture`, offered at 1, 2, 3 and 4 times its size and at the usual tray
// slots between them.
QIcon enlargingIcon(const QImage& picture);

}  // namespace vorlin::qt

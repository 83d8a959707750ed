// Qt images of the program's pictures, pixel for pixel.
#pragma once

#include <QImage>

#include "art/picture.h"
#include "runtime/graphics.h"

namespace vorlin::qt {

// A 16 x 16 icon as read back from the graphics layer; a set mask bit is a transparent pixel.
QImage imageOfIcon(const IconPixels& pixels);
// A picture of the artwork.
QImage imageOfPicture(const art::Picture& picture);

}  // namespace vorlin::qt

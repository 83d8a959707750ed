// Qt images of the program's pictures, pixel for pixel.
#pragma once

#include <QIcon>
#include <QImage>

#include "art/picture.h"
#include "runtime/graphics.h"

namespace vorlin::qt {

// A 16 x 16 icon as read back from the graphics layer; a set mask bit is a transparent pixel.
QImage imageOfIcon(const IconPixels& pixels);
// A picture of the artwork.
QImage imageOfPicture(const art::Picture& picture);
// An icon holding exactly this image, at its own size only, so that it is never scaled up.
QIcon exactIcon(const QImage& image);

}  // namespace vorlin::qt

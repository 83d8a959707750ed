// PNG files of the program's pictures, written by the program itself: the image handlers that
// Qt would look through first are plugins, every one of which it would load to ask whether it
// writes PNG (a quarter of a megabyte mapped for the run, with libpng and libjpeg).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vorlin::qt {

// `image` as the bytes of a PNG file: indexed colour where it has no more than 256 colours (the
// pictures have a few), else 8-bit RGBA, compressed by zlib at `level` (1 fastest to 9
// smallest); empty for a null image.
QByteArray pngBytes(const QImage& image, int level = 1);

// Writes `image` as the PNG file `path`; false when it could not be written whole.
bool writePng(const QImage& image, const QString& path, int level = 1);

}  // namespace vorlin::qt

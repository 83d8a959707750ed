// PNG files of the program's pictures, written by libpng, which Qt links for its own images:
// Qt's image writer would first load every image format plugin to ask whether it writes PNG (a
// quarter of a megabyte mapped for the run, with libjpeg).
#pragma once

#include <QImage>
#include <QString>

namespace vorlin::qt {

// Writes `image` as the PNG file `path`, 8-bit RGBA compressed by zlib at `level` (1 fastest to 9
// smallest); false for a null image, or when the file could not be written whole.
bool writePng(const QImage& image, const QString& path, int level = 1);

}  // namespace vorlin::qt

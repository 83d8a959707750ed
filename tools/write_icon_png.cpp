// Build-time helper: writes the program icon as PNG files for the desktop's icon theme, one at
// each size of the icon set, as DIR/<N>x<N>/apps/vorlin.png.
#include <QDir>
#include <QImage>
#include <cstdio>

#include "art/artwork.h"
#include "runtime/qt/pictures/icon_image.h"
#include "runtime/qt/pictures/whole_pixel_icon.h"
#include "runtime/qt/tray/status_notifier/png_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const QImage picture = vorlin::qt::imageOfPicture(vorlin::art::programIcon());
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (const int size : vorlin::qt::kIconSetSizes) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = root.filePath(folder + QStringLiteral("/vorlin.png"));
    if (!root.mkpath(folder) ||
        !vorlin::qt::writePng(vorlin::qt::placed(picture, QSize(size, size)), file, 9)) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}

// Build-time helper: writes the program icon as a 16 x 16 PNG, for the desktop's icon theme.
#include <QImage>
#include <cstdio>

#include "art/artwork.h"
#include "runtime/qt/icon_image.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  return vorlin::qt::imageOfPicture(vorlin::art::programIcon())
                 .save(QString::fromLocal8Bit(argv[1]), "PNG")
             ? 0
             : 1;
}

#include "runtime/qt/pictures/icon_image.h"

#include "art/artwork.h"

namespace vorlin::qt {

QImage imageOfIcon(const IconPixels& pixels) {
  QImage image(art::kIconSize, art::kIconSize, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const auto i = static_cast<unsigned>(y * image.width() + x);
      const QRgb alpha = pixels.mask[i] != 0 ? 0u : 0xFF000000u;
      image.setPixel(x, y, alpha | pixels.colour[i]);
    }
  }
  return image;
}

QImage imageOfPicture(const art::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) image.setPixel(x, y, 0xFF000000u | picture.pixel(x, y));
  }
  return image;
}

}  // namespace vorlin::qt

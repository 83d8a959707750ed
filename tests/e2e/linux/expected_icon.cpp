#include "expected_icon.h"

#include "art/artwork.h"

namespace e2e {
namespace {

void andGlyph(QImage& icon, const vorlin::art::Picture& strip, int cell, int destX, int destY) {
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) {
      const QRgb under = icon.pixel(destX + x, destY + y);
      icon.setPixel(destX + x, destY + y, under & (0xFF000000u | strip.pixel(cell * 5 + x, y)));
    }
  }
}

}  // namespace

QImage expectedIcon(int colourIndex, int day, const std::string& month) {
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(0xFF000000u | vorlin::art::kBackgrounds[static_cast<unsigned>(colourIndex)].colour);
  andGlyph(icon, vorlin::art::digitStrip(), day / 10, 3, 2);
  andGlyph(icon, vorlin::art::digitStrip(), day % 10, 8, 2);
  for (int k = 0; k < 3; ++k) {
    if (month[static_cast<unsigned>(k)] != ' ') {
      andGlyph(icon, vorlin::art::letterStrip(), month[static_cast<unsigned>(k)] - 'A', 1 + 5 * k,
               9);
    }
  }
  return icon;
}

QImage enlargedIcon(const QImage& icon, int n) {
  QImage out(icon.size() * n, QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x)
      out.setPixel(x, y, icon.pixel(x / n, y / n) | 0xFF000000u);
  }
  return out;
}

QImage programIcon() {
  const vorlin::art::Picture& picture = vorlin::art::programIcon();
  QImage icon(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) icon.setPixel(x, y, 0xFF000000u | picture.pixel(x, y));
  }
  return icon;
}

QImage iconInSquare(const QImage& icon, int size) {
  const int n = size / icon.width();
  const int offset = (size - n * icon.width()) / 2;
  QImage square(size, size, QImage::Format_ARGB32);
  square.fill(0u);
  for (int y = 0; y < n * icon.height(); ++y) {
    for (int x = 0; x < n * icon.width(); ++x)
      square.setPixel(offset + x, offset + y, icon.pixel(x / n, y / n) | 0xFF000000u);
  }
  return square;
}

}  // namespace e2e

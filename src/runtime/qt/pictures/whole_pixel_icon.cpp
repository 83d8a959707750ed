#include "runtime/qt/pictures/whole_pixel_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "art/icon_enlargement.h"

namespace vorlin::qt {
namespace {

// The largest whole factor by which the 16 × 16 picture fits `size`.
int factorFor(const QSize& size) {
  return wholeFactor(std::min(size.width(), size.height()));
}

// Each image is made when it is asked for and kept by whoever asked: the icon itself holds the
// 16 × 16 picture alone (a set of fixed images up to 256 × 256 held a third of a megabyte).
class EnlargingIconEngine final : public QIconEngine {
 public:
  explicit EnlargingIconEngine(QImage picture) : picture_(std::move(picture)) {}

  QIconEngine* clone() const override { return new EnlargingIconEngine(picture_); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int size : kIconSetSizes) sizes.append(QSize(size, size));
    return sizes;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    return QPixmap::fromImage(placed(picture_, size), Qt::NoFormatConversion);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
    QImage image =
        placed(picture_, QSize(qRound(size.width() * scale), qRound(size.height() * scale)));
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(image, Qt::NoFormatConversion);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect.topLeft(), scaledPixmap(rect.size(), mode, state, ratio));
  }

 private:
  QImage picture_;
};

}  // namespace

QImage placed(const QImage& picture, QSize size) {
  // Row by row, without a painter: the pictures are small, and a painter's raster engine is
  // code that nothing else of the program touches.
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
  const int side = art::kIconSize * factorFor(size);
  const QPoint at((size.width() - side) / 2, (size.height() - side) / 2);
  QImage canvas(size, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  const int left = std::max(at.x(), 0);
  const int right = std::min(at.x() + side, size.width());
  for (int y = std::max(at.y(), 0); y < std::min(at.y() + side, size.height()); ++y) {
    const auto* from =
        reinterpret_cast<const QRgb*>(source.constScanLine(enlargedFrom(y - at.y(), side)));
    auto* to = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = left; x < right; ++x) to[x] = from[enlargedFrom(x - at.x(), side)];
  }
  return canvas;
}

QIcon iconSet(const QImage& picture) {
  return QIcon(new EnlargingIconEngine(picture));
}

}  // namespace vorlin::qt

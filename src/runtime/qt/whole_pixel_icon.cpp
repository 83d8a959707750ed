#include "runtime/qt/whole_pixel_icon.h"

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

class EnlargingIconEngine final : public QIconEngine {
 public:
  explicit EnlargingIconEngine(QImage picture) : picture_(std::move(picture)) {}

  QIconEngine* clone() const override { return new EnlargingIconEngine(picture_); }
  QString key() const override { return QStringLiteral("vorlin-enlarging"); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int size : kTraySlotSizes) sizes.append(QSize(size, size));
    return sizes;
  }

  // The whole place: the picture is centred in it by `paint` and `pixmap`.
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    return QPixmap::fromImage(placed(picture_, size), Qt::NoFormatConversion);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
    QImage image =
        placed(picture_, QSize(qRound(size.width() * scale), qRound(size.height() * scale)));
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(image, Qt::NoFormatConversion);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    // Laid out in the device's own pixels, so that no block is split between two of them.
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    const QRect device(QPoint(qRound(rect.x() * ratio), qRound(rect.y() * ratio)),
                       QSize(qRound(rect.width() * ratio), qRound(rect.height() * ratio)));
    const int n = factorFor(device.size());
    QImage image = enlarged(picture_, n);
    const QPoint at = device.topLeft() + QPoint((device.width() - image.width()) / 2,
                                                (device.height() - image.height()) / 2);
    image.setDevicePixelRatio(ratio);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QPointF(at.x() / ratio, at.y() / ratio), image);
    painter->restore();
  }

 private:
  QImage picture_;
};

}  // namespace

QImage enlarged(const QImage& picture, int factor) {
  const int side = art::kIconSize * factor;
  QImage out(side, side, QImage::Format_ARGB32);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x)
      out.setPixel(x, y, picture.pixel(enlargedFrom(x, side), enlargedFrom(y, side)));
  }
  return out;
}

QImage placed(const QImage& picture, QSize size) {
  const QImage image = enlarged(picture, factorFor(size));
  if (image.size() == size) return image;
  QImage canvas(size, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.drawImage(
      QPoint((size.width() - image.width()) / 2, (size.height() - image.height()) / 2), image);
  return canvas;
}

QIcon enlargingIcon(const QImage& picture) {
  return QIcon(new EnlargingIconEngine(picture));
}

QIcon iconSet(const QImage& picture) {
  QIcon icon;
  for (const int size : kIconSetSizes) {
    icon.addPixmap(QPixmap::fromImage(placed(picture, QSize(size, size)), Qt::NoFormatConversion));
  }
  return icon;
}

}  // namespace vorlin::qt

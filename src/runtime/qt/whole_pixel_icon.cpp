#include "runtime/qt/whole_pixel_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace vorlin::qt {
namespace {

// The largest whole factor by which `picture` fits `size`; 1 for a place smaller than it.
int factorFor(const QImage& picture, const QSize& size) {
  const int n = std::min(size.width() / picture.width(), size.height() / picture.height());
  return std::max(n, 1);
}

// The sizes offered to a tray that picks one itself: the whole multiples of the 16-pixel picture,
// and the usual slots between them, which hold the largest whole multiple that fits, centred. A
// tray handed only the multiples would shrink the next larger one into such a slot, smoothing it.
constexpr int kOfferedSizes[] = {16, 20, 22, 24, 32, 44, 48, 64};

class EnlargingIconEngine final : public QIconEngine {
 public:
  explicit EnlargingIconEngine(QImage picture) : picture_(std::move(picture)) {}

  QIconEngine* clone() const override { return new EnlargingIconEngine(picture_); }
  QString key() const override { return QStringLiteral("vorlin-enlarging"); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int size : kOfferedSizes) sizes.append(QSize(size, size));
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
    const int n = factorFor(picture_, device.size());
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
  QImage out(picture.size() * factor, QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, picture.pixel(x / factor, y / factor));
  }
  return out;
}

QImage placed(const QImage& picture, QSize size) {
  const QImage image = enlarged(picture, factorFor(picture, size));
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

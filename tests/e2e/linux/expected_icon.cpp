#include "expected_icon.h"

#include <ctime>

#include "support/expected_icon.h"

namespace e2e {
namespace {

QImage opaque(const vorlin::test::IconColours& colours, QImage::Format format) {
  QImage icon(16, 16, format);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      icon.setPixel(x, y, 0xFF000000u | colours[static_cast<unsigned>(y * 16 + x)]);
  }
  return icon;
}

}  // namespace

QImage expectedIcon(int colourIndex, int day, const std::string& month) {
  const std::string digits{static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
  return opaque(
      vorlin::test::expectedDateIcon(
          vorlin::test::kBackgroundColours[static_cast<unsigned>(colourIndex)], digits, month),
      QImage::Format_RGB32);
}

QImage todaysIcon(int colourIndex) {
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  gmtime_r(&now, &today);
  static const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  return expectedIcon(colourIndex, today.tm_mday, kMonths[today.tm_mon]);
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
  return opaque(vorlin::test::expectedProgramIcon(), QImage::Format_ARGB32);
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

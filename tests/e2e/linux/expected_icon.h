// The date icon as the tests' own glyph tables and colours draw it (support/expected_icon.h): the
// background, the day's two digits at x 3 and 8, y 2, and the month's three letters at x 1, 6 and
// 11, y 9, each glyph ANDed on.
#pragma once

#include <QImage>
#include <string>

namespace e2e {

// The colours by their index, the option's place in the dialog: 0 Gray to 5 White.
constexpr int kGray = 0;
constexpr int kRed = 4;

// `colourIndex`: 0 Gray to 5 White. `month`: three characters, 'A' to 'Z', or ' ' for a cell left
// blank.
QImage expectedIcon(int colourIndex, int day, const std::string& month);

// Today's icon in the tests' time zone, UTC, as the program runs in them.
QImage todaysIcon(int colourIndex);

// `icon` with every pixel an n × n block, opaque.
QImage enlargedIcon(const QImage& icon, int n);

// The program icon as the tests' table gives it.
QImage programIcon();

// The 16 × 16 `icon` in a transparent `size` × `size` square: enlarged by the largest whole factor
// that fits, centred.
QImage iconInSquare(const QImage& icon, int size);

}  // namespace e2e

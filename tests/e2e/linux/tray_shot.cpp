// Runs vorlin in a virtual display with a tray panel, waits for its entry and saves a screenshot
// of the tray: for a machine with no display of its own.
// Usage: vorlin_tray_shot OUTPUT.png
#include <cstdio>

#include "desktop.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  e2e::Desktop desktop;
  e2e::Process vorlin({VORLIN_PROGRAM}, desktop.env());
  // The entry starts on Gray: a 16-pixel run of it in the tray means the icon is shown.
  const QRgb gray = 0xFFC0C0C0;
  const QRect area = desktop.trayArea();
  QImage tray;
  const bool shown = e2e::pollUntil(
      [&] {
        tray = desktop.screenshot().copy(area);
        for (int y = 0; y < tray.height(); ++y) {
          int run = 0;
          for (int x = 0; x < tray.width(); ++x) {
            run = tray.pixel(x, y) == gray ? run + 1 : 0;
            if (run == 16) return true;
          }
        }
        return false;
      },
      std::chrono::seconds(10));
  if (!tray.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  if (!shown) {
    std::fprintf(stderr, "vorlin's entry did not appear in the tray\n");
    return 1;
  }
  return 0;
}

#include "dialog_reading.h"

#include <array>

namespace e2e {
namespace {

struct Place {
  int left, top, width, height;
};
constexpr std::array<Place, 6> kOptions{{{360, 240, 1455, 255},
                                         {360, 600, 1455, 255},
                                         {360, 960, 1455, 255},
                                         {1440, 240, 1455, 255},
                                         {1440, 600, 1455, 255},
                                         {1440, 960, 1455, 255}}};
constexpr Place kOKButton{360, 1440, 855, 375};
constexpr Place kCancelButton{1440, 1440, 855, 375};

QRect onScreen(QRect dialog, Place p) {
  return QRect(dialog.x() + p.left / kTwipsPerPixel, dialog.y() + p.top / kTwipsPerPixel,
               p.width / kTwipsPerPixel, p.height / kTwipsPerPixel);
}

}  // namespace

QPoint optionCentre(QRect dialog, int index) {
  const QRect r = onScreen(dialog, kOptions[static_cast<unsigned>(index)]);
  return QPoint(r.left() + 8, r.center().y());
}

QPoint buttonCentre(QRect dialog, DialogButton button) {
  return onScreen(dialog, button == kOK ? kOKButton : kCancelButton).center();
}

int selectedOption(const QImage& screen, QRect dialog) {
  std::array<QImage, 6> indicators;
  for (unsigned i = 0; i < indicators.size(); ++i) {
    const QRect r = onScreen(dialog, kOptions[i]);
    indicators[i] = screen.copy(QRect(r.topLeft(), QSize(16, r.height())));
  }
  int selected = -1;
  for (unsigned i = 0; i < indicators.size(); ++i) {
    int same = 0;
    for (unsigned j = 0; j < indicators.size(); ++j) same += indicators[i] == indicators[j];
    if (same == 1) {
      if (selected != -1) return -1;
      selected = static_cast<int>(i);
    }
  }
  return selected;
}

}  // namespace e2e

// Reading the properties dialog back from the screen: its controls sit at the places its layout
// gives in twips, 15 to the pixel on the 96-dot virtual screen.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace e2e {

inline constexpr int kTwipsPerPixel = 15;
enum DialogButton { kOK, kCancel };

// The centre of option `index` (0 Gray ... 5 White) on the screen.
QPoint optionCentre(QRect dialog, int index);
QPoint buttonCentre(QRect dialog, DialogButton button);
// The option whose indicator differs from the five others (the selected one), or -1.
int selectedOption(const QImage& screen, QRect dialog);

}  // namespace e2e

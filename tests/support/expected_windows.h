// The two windows as the user is to meet them, in twips: the hidden host window with its picture
// boxes, timer and tray menu, and the properties dialog with its controls in tab order.
#pragma once

#include "runtime/headless/built_window.h"

namespace vorlin::test {

inline BuiltControl pictureBox(std::int16_t index, int left, int top, int width) {
  return {.index = index, .left = left, .top = top, .width = width, .height = 495};
}

inline BuiltControl button(ControlKind kind, std::int16_t index, const char* caption, int left,
                           int top) {
  const bool option = kind == ControlKind::OptionButton;
  return {.kind = kind,
          .index = index,
          .caption = caption,
          .left = left,
          .top = top,
          .width = option ? 1455 : 855,
          .height = option ? 255 : 375};
}

inline const BuiltWindow kHostWindow{
    "Form1",
    4200,
    2790,
    {pictureBox(0, 120, 240, 615),
     pictureBox(1, 720, 240, 615),
     pictureBox(2, 1320, 240, 615),
     pictureBox(3, 1920, 240, 615),
     pictureBox(4, 2520, 240, 615),
     pictureBox(5, 3120, 240, 615),
     pictureBox(kNone, 1080, 1200, 1815),  // the digits
     pictureBox(kNone, 1080, 1920, 2655),  // the letters
     {.kind = ControlKind::Timer, .interval = 10},
     {.kind = ControlKind::Menu, .caption = "Vorlin"},
     {.kind = ControlKind::Menu, .caption = "Properties", .menu = "Vorlin"},
     {.kind = ControlKind::Separator, .menu = "Vorlin"},
     {.kind = ControlKind::Menu, .caption = "Close", .menu = "Vorlin"}}};

inline const BuiltWindow kPropertiesDialog{
    "Vorlin Properties",
    2955,
    2070,
    {button(ControlKind::OptionButton, 0, "Gray", 360, 240),
     button(ControlKind::OptionButton, 1, "Blue", 360, 600),
     button(ControlKind::OptionButton, 2, "Purple", 360, 960),
     button(ControlKind::OptionButton, 3, "Yellow", 1440, 240),
     button(ControlKind::CommandButton, kNone, "&Cancel", 1440, 1440),
     button(ControlKind::CommandButton, kNone, "&OK", 360, 1440),
     button(ControlKind::OptionButton, 4, "Red", 1440, 600),
     button(ControlKind::OptionButton, 5, "White", 1440, 960)}};

}  // namespace vorlin::test

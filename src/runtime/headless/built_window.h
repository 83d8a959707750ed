// A window as the headless runtime builds it from its description, kept as the real runtimes
// build theirs: its caption and client size, each control's kind, caption and place, a timer's
// interval, a menu's entries and separator lines. Measures are in twips.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/form_desc.h"

namespace vorlin {

struct BuiltControl {
  ControlKind kind = ControlKind::PictureBox;
  std::int16_t index = kNone;
  std::string caption = {};  // none for a separator line
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int interval = 0;       // timers, milliseconds
  std::string menu = {};  // the caption of the menu that holds this entry
  friend bool operator==(const BuiltControl&, const BuiltControl&) = default;
};

struct BuiltWindow {
  std::string caption;
  int clientWidth = 0;
  int clientHeight = 0;
  // In the order they are made: those without a window of their own in the description's order,
  // then the option and command buttons in tab order, the order the keyboard visits them.
  std::vector<BuiltControl> controls;
};

BuiltWindow buildWindow(const FormDesc& desc);

}  // namespace vorlin

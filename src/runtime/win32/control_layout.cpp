#include "runtime/win32/control_layout.h"

namespace vorlin::win32 {

bool isWindowControl(ControlKind kind) {
  return kind == ControlKind::OptionButton || kind == ControlKind::CommandButton;
}

int unobstructedWidth(const FormDesc& form, const ControlDesc& control) {
  int width = control.width;
  for (const ControlDesc& other : form.controls) {
    if (&other == &control || !isWindowControl(other.kind)) continue;
    const bool sameRows =
        other.top < control.top + control.height && control.top < other.top + other.height;
    if (sameRows && other.left > control.left && other.left < control.left + width)
      width = other.left - control.left;
  }
  return width;
}

}  // namespace vorlin::win32

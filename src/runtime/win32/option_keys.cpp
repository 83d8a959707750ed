// The option buttons of a window as one group for the keyboard, whatever their places in the tab
// order: the arrow keys move among the options only, in the order of their indices, and select
// the option they land on; Tab stops at the selected option.
#include "runtime/win32/forms.h"

namespace vorlin::win32 {

void WinForms::updateTabStops(FormSlot& slot) {
  ControlSlot* stop = nullptr;
  for (std::size_t i = 0; i < slot.count; ++i) {
    ControlSlot& c = slot.controls[i];
    if (c.desc->kind != ControlKind::OptionButton || !c.window) continue;
    if (stop == nullptr || SendMessageW(c.window.get(), BM_GETCHECK, 0, 0) == BST_CHECKED)
      stop = &c;
  }
  for (std::size_t i = 0; i < slot.count; ++i) {
    const ControlSlot& c = slot.controls[i];
    if (c.desc->kind != ControlKind::OptionButton || !c.window) continue;
    const LONG_PTR style = GetWindowLongPtrW(c.window.get(), GWL_STYLE);
    SetWindowLongPtrW(c.window.get(), GWL_STYLE,
                      &c == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

bool WinForms::optionKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.hwnd == nullptr) return false;
  int step = 0;
  switch (msg.wParam) {
    case VK_DOWN:
    case VK_RIGHT:
      step = 1;
      break;
    case VK_UP:
    case VK_LEFT:
      step = -1;
      break;
    default:
      return false;
  }
  FormSlot* slot = slotOf(GetAncestor(msg.hwnd, GA_ROOT));
  if (slot == nullptr) return false;
  const ControlDesc* from = nullptr;
  for (std::size_t i = 0; i < slot->count; ++i) {
    const ControlSlot& c = slot->controls[i];
    if (c.window.get() == msg.hwnd && c.desc->kind == ControlKind::OptionButton) from = c.desc;
  }
  if (from == nullptr) return false;
  // The next option by index, round the group: the nearest index past this one in the step's
  // direction, or else the farthest on the other side.
  const ControlSlot* next = nullptr;
  const ControlSlot* wrap = nullptr;
  for (std::size_t i = 0; i < slot->count; ++i) {
    const ControlSlot& c = slot->controls[i];
    if (c.desc->kind != ControlKind::OptionButton || c.desc->id != from->id || !c.window) continue;
    const int ahead = (c.desc->index - from->index) * step;
    if (ahead > 0 && (next == nullptr || (c.desc->index - next->desc->index) * step < 0)) next = &c;
    if (ahead < 0 && (wrap == nullptr || (c.desc->index - wrap->desc->index) * step < 0)) wrap = &c;
  }
  if (next == nullptr) next = wrap;
  if (next == nullptr) return true;
  SetFocus(next->window.get());
  Form& form = *slot->form;
  reportIfFailed(errorReport_, setOptionValue(form, next->desc->id, next->desc->index));
  return true;
}

}  // namespace vorlin::win32

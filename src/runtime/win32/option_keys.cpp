// The option buttons of a window as one group for the keyboard, whatever their places in the tab
// order: the arrow keys move among the options only, in the order of their indices, and select
// the option they land on; Tab stops at the selected option.
#include "runtime/win32/forms.h"

#include <optional>

#include "runtime/option_arrows.h"

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
  const std::optional<Arrow> arrow =
      arrowOf<WPARAM>(msg.wParam, {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT});
  if (!arrow) return false;
  FormSlot* slot = slotOf(GetAncestor(msg.hwnd, GA_ROOT));
  if (slot == nullptr) return false;
  const ControlDesc* from = nullptr;
  for (std::size_t i = 0; i < slot->count; ++i) {
    const ControlSlot& c = slot->controls[i];
    if (c.window.get() == msg.hwnd && c.desc->kind == ControlKind::OptionButton) from = c.desc;
  }
  if (from == nullptr) return false;
  // The group: the options of the same control array.
  std::array<std::int16_t, kMaxControls> group{};
  std::size_t members = 0;
  for (std::size_t i = 0; i < slot->count; ++i) {
    const ControlSlot& c = slot->controls[i];
    if (c.desc->kind == ControlKind::OptionButton && c.desc->id == from->id && c.window)
      group[members++] = c.desc->index;
  }
  const std::int16_t to = optionAfter(*arrow, from->index, std::span(group).first(members));
  const ControlSlot* next = controlOf(*slot, from->id, to, ControlKind::OptionButton);
  if (next == nullptr) return true;
  SetFocus(next->window.get());
  Form& form = *slot->form;
  reportIfFailed(errorReport_, setOptionValue(form, next->desc->id, next->desc->index));
  return true;
}

}  // namespace vorlin::win32

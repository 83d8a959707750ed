// A window moved to a screen of another DPI: the frame takes the rectangle the system suggests,
// and the controls are laid out again from their twips, in the font for the new DPI.
#include "runtime/win32/forms.h"

#include "runtime/win32/control_layout.h"

namespace vorlin::win32 {

void WinForms::dpiChanged(FormSlot& slot, UINT dpi, const RECT& suggested) {
  if (dpi == 0) return;
  dpi_ = dpi;
  OwnedHFONT next;
  (void)next.take(createDialogFont(dpi));  // the stock font where it cannot be made
  const HFONT nextFont = next ? next.get() : stockDialogFont();
  SetWindowPos(slot.window.get(), nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const FormDesc& desc = slot.form->description();
  for (std::size_t i = 0; i < slot.count; ++i) {
    const ControlSlot& c = slot.controls[i];
    if (!c.window) continue;
    SendMessageW(c.window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(nextFont), FALSE);
    SetWindowPos(c.window.get(), nullptr, pixels(c.desc->left), pixels(c.desc->top),
                 pixels(unobstructedWidth(desc, *c.desc)), pixels(c.desc->height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The controls have let go of the old font, which goes now.
  font_ = std::move(next);
  fontDpi_ = dpi;
  InvalidateRect(slot.window.get(), nullptr, TRUE);
}

}  // namespace vorlin::win32

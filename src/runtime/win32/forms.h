// The forms runtime on raw Win32: top-level windows built from the forms' descriptions, picture
// boxes as memory device contexts, timers, popup menus, option and command buttons, and the
// message loop. One runtime serves the process's windows.
#pragma once

#include <windows.h>

#include <array>

#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/picture_boxes.h"
#include "runtime/win32/dialog_font.h"
#include "runtime/win32/owners.h"
#include "runtime/win32/tray_promotion.h"

namespace vorlin::win32 {

class WinForms final : public Forms {
 public:
  WinForms(Graphics& graphics, ErrorReport& errorReport, HINSTANCE instance);
  WinForms(const WinForms&) = delete;
  WinForms& operator=(const WinForms&) = delete;
  ~WinForms();

  Status load(Form& form) override;
  Status show(Form& form) override;
  Status unload(Form& form) override;
  bool isLoaded(const Form& form) const override;
  Result<Handle> windowHandle(Form& form) override;
  Result<Handle> pictureDC(Form& form, int control, std::int16_t index) override;

  Result<Twips> outerWidth(Form& form) override;
  Result<Twips> outerHeight(Form& form) override;
  Status setLeft(Form& form, Twips left) override;
  Status setTop(Form& form, Twips top) override;
  Result<Twips> screenWidth() override;
  Result<Twips> screenHeight() override;
  Result<Twips> twipsPerPixelX() override;

  Status popupMenu(Form& form, int menu, int flags) override;
  Status setOptionValue(Form& form, int control, std::int16_t index) override;

  // Runs the message loop until no window is loaded; returns the program's exit code.
  int run();
  // Each timer message of the program's windows also ticks `promotion`.
  void driveOnTimer(TrayPromotion& promotion) { promotion_ = &promotion; }

 private:
  static constexpr std::size_t kMaxControls = 24;
  static constexpr int kFirstCommand = 100;  // clear of IDOK and IDCANCEL
  // A menu item's command is this and the item's id: clear of the controls' commands, and found
  // by id when the item is chosen.
  static constexpr int kFirstMenuCommand = kFirstCommand + 1000;

  struct ControlSlot {
    const ControlDesc* desc = nullptr;
    OwnedHWND window;  // option and command buttons
    OwnedHMENU menu;   // menus opened as popups
    OwnedTimer timer;
  };
  struct FormSlot {
    Form* form = nullptr;
    OwnedHWND window;
    std::array<ControlSlot, kMaxControls> controls{};
    std::size_t count = 0;
    PictureBoxes pictures;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT message(FormSlot& slot, UINT message, WPARAM wParam, LPARAM lParam);
  void command(FormSlot& slot, WPARAM wParam);

  FormSlot* slotOf(const Form& form);
  const FormSlot* slotOf(const Form& form) const;
  FormSlot* slotOf(HWND window);
  Result<FormSlot*> loaded(Form& form);  // loads an unloaded window first
  ControlSlot* controlOf(FormSlot& slot, int control, std::int16_t index, ControlKind kind);
  Status createControls(FormSlot& slot);
  Status createControl(FormSlot& slot, const ControlDesc& desc);
  // A window's popup menu and its items; an option or command button, its command `command`.
  Status createMenu(FormSlot& slot, ControlSlot& c);
  Status createButton(FormSlot& slot, ControlSlot& c, int command);
  // Takes the window and its controls down, each control before the window; answers the first
  // release of a picture that failed.
  Status destroy(FormSlot& slot);
  int pixels(int twips) const;
  UINT dpi() const { return dpi_; }
  // The controls' font at the windows' DPI, made at the first need after a change of DPI: the
  // message font, or the stock font of dialogs where the system could not make it (the window
  // still opens, its texts in the stock font).
  HFONT font();

  // A window's DPI changed: its frame takes the suggested rectangle, its controls the font and
  // the places for the new DPI; the screen's measures follow. Where the font for the new DPI
  // cannot be made, the controls take the stock font of dialogs.
  void dpiChanged(FormSlot& slot, UINT dpi, const RECT& suggested);
  // The option buttons of a window are one group for the keyboard: an arrow key moves to the
  // next or previous option and selects it; Tab stops at the selected option only.
  bool optionKey(const MSG& msg);
  void updateTabStops(FormSlot& slot);

  Graphics& graphics_;
  ErrorReport& errorReport_;
  HINSTANCE instance_;
  UINT taskbarCreated_;
  UINT dpi_;         // of the windows, and so of the screen's measures
  OwnedHFONT font_;  // of the controls, at fontDpi_
  UINT fontDpi_ = 0;
  std::array<FormSlot, 4> forms_{};
  bool popupOpen_ = false;
  TrayPromotion* promotion_ = nullptr;
};

}  // namespace vorlin::win32

// The font of the controls of a window: the system's message font at the window's DPI, owned.
#pragma once

#include <windows.h>

namespace vorlin::win32 {

class DialogFont {
 public:
  DialogFont() = default;
  // The message font at `dpi`; empty when the system cannot make it.
  explicit DialogFont(UINT dpi);
  DialogFont(const DialogFont&) = delete;
  DialogFont& operator=(const DialogFont&) = delete;
  DialogFont(DialogFont&& other) noexcept : font_(other.font_), dpi_(other.dpi_) {
    other.font_ = nullptr;
  }
  DialogFont& operator=(DialogFont&& other) noexcept;
  ~DialogFont();

  // The font, or the stock one of dialogs when it is empty.
  HFONT get() const;
  UINT dpi() const { return dpi_; }

 private:
  HFONT font_ = nullptr;
  UINT dpi_ = 0;
};

// The pixels an inch of the screen, as the system was started with.
UINT systemDpi();

}  // namespace vorlin::win32

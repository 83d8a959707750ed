// The headless forms: windows, timer, menus and dialog kept in memory, every request recorded,
// and every event fired by the test that drives it (runtime.h joins them to the other services).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/headless/built_window.h"
#include "runtime/headless/clock.h"
#include "runtime/picture_boxes.h"

namespace vorlin {

struct PopupRecord {
  std::string form;
  int menu;
  int flags;
};

class HeadlessForms final : public Forms {
 public:
  // Pictures are loaded on `graphics`; a tick advances `clock`; a failed event is reported to
  // `errorReport`.
  HeadlessForms(Graphics& graphics, HeadlessClock& clock, ErrorReport& errorReport)
      : graphics_(graphics), clock_(clock), errorReport_(errorReport) {}
  HeadlessForms(const HeadlessForms&) = delete;
  HeadlessForms& operator=(const HeadlessForms&) = delete;

  // Settings a test may change.
  int screenWidthPixels = 1024;
  int screenHeightPixels = 768;
  float twipsPerPixel = 15;
  int framePixels = 4;     // each side of a window's frame
  int captionPixels = 23;  // its title bar

  // What happened.
  std::vector<std::string> shown;     // windows shown, by name
  std::vector<std::string> unloaded;  // windows unloaded, by name
  std::vector<PopupRecord> popups;
  // The menu item the user picks in the next popup; none dismisses it.
  std::optional<int> nextMenuChoice;

  // Events a user or the platform causes.
  void tick(int count = 1);  // 10 ms a tick: every loaded window's timers
  void trayReport(Form& host, float mouseMessage);
  void clickMenu(Form& form, int control);
  void clickOption(Form& form, int control, std::int16_t index);
  void clickButton(Form& form, int control);
  void closeFromFrame(Form& form);
  void taskbarCreated(Form& host);

  bool running() const;
  bool isVisible(const Form& form) const;
  Twips left(const Form& form) const;
  Twips top(const Form& form) const;
  std::int16_t selectedOption(const Form& form) const;
  // The window as it was built at its last load; null before its first.
  const BuiltWindow* built(const Form& form) const;

  // Forms.
  Status load(Form& form) override;
  Status show(Form& form) override;
  Status unload(Form& form) override;
  bool isLoaded(const Form& form) const override;
  Result<Handle> windowHandle(Form& form) override;
  Result<Handle> pictureDC(Form& form, int control, std::int16_t index) override;
  Result<Twips> outerWidth(Form& form) override;
  Result<Twips> outerHeight(Form& form) override;
  Status setLeft(Form& form, Twips value) override;
  Status setTop(Form& form, Twips value) override;
  Result<Twips> screenWidth() override;
  Result<Twips> screenHeight() override;
  Result<Twips> twipsPerPixelX() override;
  Status popupMenu(Form& form, int menu, int flags) override;
  Status setOptionValue(Form& form, int control, std::int16_t index) override;

 private:
  struct Window {
    const Form* form = nullptr;
    bool loaded = false;
    bool visible = false;
    Handle hWnd = 0;
    Twips left = 0;
    Twips top = 0;
    std::int16_t selectedOption = kNone;
    std::optional<BuiltWindow> built;
    PictureBoxes pictures;
  };

  Window& window(const Form& form);
  const Window* find(const Form& form) const;
  void deliver(Form& form, const Event& event);

  Graphics& graphics_;
  HeadlessClock& clock_;
  ErrorReport& errorReport_;
  std::deque<Window> windows_;
  Handle nextWindow_ = 0x10000;
};

}  // namespace vorlin

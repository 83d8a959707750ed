// The forms runtime on Qt Widgets: windows built from the form descriptions, picture boxes held
// by the graphics layer, timers, popup menus, measures in twips.
#pragma once

#include <QMargins>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/picture_boxes.h"
#include "runtime/qt/forms/expected_frame.h"
#include "runtime/qt/forms/form_timer.h"
#include "runtime/qt/forms/form_window.h"
#include "runtime/qt/platform/owners.h"

namespace vorlin::qt {

class QtForms final : public Forms {
 public:
  QtForms(Graphics& graphics, ErrorReport& errorReport)
      : graphics_(graphics), errorReport_(errorReport) {}
  ~QtForms();
  QtForms(const QtForms&) = delete;
  QtForms& operator=(const QtForms&) = delete;

  Status load(Form& form) override;
  Status show(Form& form) override;
  Status unload(Form& form) override;
  VORLIN_TICK_PATH bool isLoaded(const Form& form) const override;
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

  // The loaded form whose window has this handle, or null.
  Form* formOfWindow(Handle window) const;
  bool anyLoaded() const;

 private:
  // A length of the screen in pixels, in twips.
  Result<Twips> screenPixels(int pixels);
  static constexpr std::size_t kMaxForms = 4;
  static constexpr std::size_t kMaxTimers = 4;

  struct Loaded {
    Form* form = nullptr;
    Handle handle = 0;
    std::unique_ptr<FormWindow, LaterDeleter> window;
    PictureBoxes pictures;
    std::array<std::unique_ptr<FormTimer, LaterDeleter>, kMaxTimers> timers;
  };

  Loaded* find(const Form& form);
  VORLIN_TICK_PATH const Loaded* find(const Form& form) const;
  Result<Loaded*> loaded(Form& form);  // loads the form first when it is not loaded
  // Takes the window and what it holds down; answers the first release that failed.
  Status release(Loaded& slot);
  // Places the window's frame; a missing coordinate keeps its place.
  Status place(Form& form, std::optional<Twips> left, std::optional<Twips> top);
  // The window's size with its frame: the frame it has once shown, before that the frame the
  // window manager is expected to give it.
  QSize outerSize(Loaded& slot);

  Graphics& graphics_;
  ErrorReport& errorReport_;
  ExpectedFrame expectedFrame_;
  std::array<Loaded, kMaxForms> forms_;
  Handle nextHandle_ = 0x00010010;
  bool popupOpen_ = false;
};

}  // namespace vorlin::qt

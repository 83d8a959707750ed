// The forms runtime: windows, controls, timer, menus, the screen's measures.
#pragma once

#include <cstdint>

#include "base/failures.h"
#include "base/handles.h"
#include "base/status.h"
#include "runtime/error_report.h"
#include "runtime/form_desc.h"

namespace vorlin {

using Twips = float;

// Popup menu flag: the menu's right edge at the pointer.
inline constexpr int kPopupRightAlign = 8;

enum class EventKind : std::uint8_t {
  Load,       // the window was loaded
  Timer,      // a timer control ticked
  MouseMove,  // mouse over the window; tray reports arrive this way, x = message × twips/pixel
  Click,      // a menu item, option button or command button
  TaskbarCreated,  // the shell's notification area was (re)created
  // Closed from outside: through the frame (close box, system menu, Alt+F4), by another program
  // or at the end of the session. The window is unloaded after the handler (closeFromOutside).
  CloseRequest,
};

struct Event {
  EventKind kind;
  int control = kNone;
  std::int16_t index = kNone;
  Twips x = 0;
};

// A window definition: its description, and the handler of its events.
class Form {
 public:
  virtual const FormDesc& description() const = 0;
  virtual Status handle(const Event& event) = 0;

 protected:
  ~Form() = default;
};

class Forms {
 public:
  // Windows. Using an unloaded window (its handle, a picture box) loads it first.
  virtual Status load(Form& form) = 0;
  virtual Status show(Form& form) = 0;  // modeless, no owner; loads an unloaded window first
  virtual Status unload(Form& form) = 0;
  virtual bool isLoaded(const Form& form) const = 0;
  virtual Result<Handle> windowHandle(Form& form) = 0;
  virtual Result<Handle> pictureDC(Form& form, int control, std::int16_t index) = 0;

  // Measures, in twips.
  virtual Result<Twips> outerWidth(Form& form) = 0;
  virtual Result<Twips> outerHeight(Form& form) = 0;
  virtual Status setLeft(Form& form, Twips left) = 0;
  virtual Status setTop(Form& form, Twips top) = 0;
  virtual Result<Twips> screenWidth() = 0;
  virtual Result<Twips> screenHeight() = 0;
  virtual Result<Twips> twipsPerPixelX() = 0;

  // Controls.
  // Opens a menu as a popup at the pointer; returns once it is closed, the chosen item's click
  // having been raised. `flags`: kPopupRightAlign or 0.
  virtual Status popupMenu(Form& form, int menu, int flags) = 0;
  // Selects the option, clears the others of its group and raises its click.
  virtual Status setOptionValue(Form& form, int control, std::int16_t index) = 0;

 protected:
  ~Forms() = default;
};

// The one way a failure that ends an event's handling reaches the user: the error report shows
// it and the program goes on.
inline void reportIfFailed(ErrorReport& report, const Status& status) {
  if (status.failed()) report.reportError(status);
}

// Raises an event from the message loop.
inline void raise(ErrorReport& report, Form& form, const Event& event) {
  reportIfFailed(report, form.handle(event));
}

// Closes a window at a request from outside the program: its handler runs first, then the window
// is unloaded if it is still loaded.
inline void closeFromOutside(Forms& forms, ErrorReport& report, Form& form) {
  if (!forms.isLoaded(form)) return;
  raise(report, form, Event{.kind = EventKind::CloseRequest});
  if (!forms.isLoaded(form)) return;
  reportIfFailed(report, forms.unload(form));
}

// A runtime's own record of a loaded window, `find(form)` (null while it is not loaded), loading
// the window first. Its Load handler may have unloaded it again: then there is none to answer.
template <class Find>
auto loadedSlot(Forms& forms, Form& form, Find find) -> Result<decltype(find(form))> {
  if (auto* slot = find(form); slot != nullptr) return {kOk, slot};
  VORLIN_TRY(forms.load(form));
  auto* slot = find(form);
  if (slot == nullptr) return kUnloadedWhileLoading;
  return {kOk, slot};
}

}  // namespace vorlin

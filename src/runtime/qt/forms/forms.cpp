#include "runtime/qt/forms/forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "base/failures.h"
#include "base/reentry_guard.h"
#include "runtime/qt/forms/popup_menu.h"

namespace vorlin::qt {
namespace {

constexpr Status kNoScreen{kWindowFailure, "No screen is available"};

QScreen* screen() {
  return QGuiApplication::primaryScreen();
}

}  // namespace

QtForms::~QtForms() {
  for (Loaded& slot : forms_) {
    if (slot.form != nullptr) (void)release(slot);  // nobody is left to be told
  }
}

QtForms::Loaded* QtForms::find(const Form& form) {
  for (Loaded& slot : forms_) {
    if (slot.form == &form) return &slot;
  }
  return nullptr;
}

const QtForms::Loaded* QtForms::find(const Form& form) const {
  for (const Loaded& slot : forms_) {
    if (slot.form == &form) return &slot;
  }
  return nullptr;
}

Status QtForms::load(Form& form) {
  if (find(form) != nullptr) return kOk;
  Loaded* slot = nullptr;
  for (Loaded& s : forms_) {
    if (s.form == nullptr) {
      slot = &s;
      break;
    }
  }
  if (slot == nullptr) return kTooManyWindows;
  const Result<Twips> ratio = twipsPerPixelX();
  VORLIN_TRY(ratio.status);

  const FormDesc& desc = form.description();
  slot->form = &form;
  slot->handle = nextHandle_;
  nextHandle_ += 4;
  auto onClick = [this, &form](const Event& click) { raise(errorReport_, form, click); };
  auto onClose = [this, &form] { closeFromOutside(*this, errorReport_, form); };
  slot->window.reset(new FormWindow(desc, ratio.value, onClick, onClose));

  if (const Status pictures = slot->pictures.load(graphics_, desc); pictures.failed()) {
    (void)release(*slot);  // the failure that stopped the load is the one reported
    return pictures;
  }
  std::size_t timers = 0;
  for (const ControlDesc& control : desc.controls) {
    if (control.kind == ControlKind::Timer && control.interval > 0 && timers < kMaxTimers) {
      const Event tick{.kind = EventKind::Timer, .control = control.id, .index = control.index};
      slot->timers[timers++].reset(
          new FormTimer(control.interval, *this, errorReport_, form, tick));
    }
  }
  return form.handle(Event{.kind = EventKind::Load});
}

Status QtForms::show(Form& form) {
  VORLIN_TRY(load(form));
  Loaded* slot = find(form);
  if (slot == nullptr) return kOk;  // the load step unloaded the window again
  slot->window->show();
  slot->window->raise();
  slot->window->activateWindow();
  return kOk;
}

Status QtForms::release(Loaded& slot) {
  for (auto& timer : slot.timers) {
    if (timer) timer->stop();
    timer.reset();
  }
  const Status released = slot.pictures.release(graphics_);
  if (slot.window) slot.window->hide();
  slot.window.reset();
  slot.form = nullptr;
  slot.handle = 0;
  return released;
}

Status QtForms::unload(Form& form) {
  Loaded* slot = find(form);
  if (slot == nullptr) return kOk;
  const Status released = release(*slot);
  // The program ends when no window is left.
  if (!anyLoaded()) QCoreApplication::quit();
  return released;
}

bool QtForms::isLoaded(const Form& form) const {
  return find(form) != nullptr;
}

bool QtForms::anyLoaded() const {
  for (const Loaded& slot : forms_) {
    if (slot.form != nullptr) return true;
  }
  return false;
}

Form* QtForms::formOfWindow(Handle window) const {
  for (const Loaded& slot : forms_) {
    if (slot.form != nullptr && slot.handle == window) return slot.form;
  }
  return nullptr;
}

Result<QtForms::Loaded*> QtForms::loaded(Form& form) {
  return loadedSlot(*this, form, [this](const Form& f) { return find(f); });
}

Result<Handle> QtForms::windowHandle(Form& form) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  return {kOk, slot.value->handle};
}

Result<Handle> QtForms::pictureDC(Form& form, int control, std::int16_t index) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  return slot.value->pictures.dc(control, index);
}

Result<Twips> QtForms::outerWidth(Form& form) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  const Result<Twips> ratio = twipsPerPixelX();
  VORLIN_TRY(ratio.status);
  return {kOk, static_cast<Twips>(outerSize(*slot.value).width()) * ratio.value};
}

Result<Twips> QtForms::outerHeight(Form& form) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  const Result<Twips> ratio = twipsPerPixelX();
  VORLIN_TRY(ratio.status);
  return {kOk, static_cast<Twips>(outerSize(*slot.value).height()) * ratio.value};
}

QSize QtForms::outerSize(Loaded& slot) {
  const FormWindow& window = *slot.window;
  if (window.isVisible()) return window.frameGeometry().size();
  return window.size().grownBy(expectedFrame_.margins());
}

Status QtForms::setLeft(Form& form, Twips left) {
  return place(form, left, std::nullopt);
}

Status QtForms::setTop(Form& form, Twips top) {
  return place(form, std::nullopt, top);
}

Status QtForms::place(Form& form, std::optional<Twips> left, std::optional<Twips> top) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  const Result<Twips> ratio = twipsPerPixelX();
  VORLIN_TRY(ratio.status);
  Loaded& loaded = *slot.value;
  QPoint at = loaded.window->frameGeometry().topLeft();
  if (left) at.setX(qRound(*left / ratio.value));
  if (top) at.setY(qRound(*top / ratio.value));
  loaded.window->move(at);
  return kOk;
}

Result<Twips> QtForms::screenWidth() {
  QScreen* s = screen();
  return screenPixels(s == nullptr ? 0 : s->geometry().width());
}

Result<Twips> QtForms::screenHeight() {
  QScreen* s = screen();
  return screenPixels(s == nullptr ? 0 : s->geometry().height());
}

Result<Twips> QtForms::screenPixels(int pixels) {
  const Result<Twips> ratio = twipsPerPixelX();  // fails when there is no screen
  VORLIN_TRY(ratio.status);
  return {kOk, static_cast<Twips>(pixels) * ratio.value};
}

Result<Twips> QtForms::twipsPerPixelX() {
  QScreen* s = screen();
  if (s == nullptr || s->logicalDotsPerInchX() <= 0) return {kNoScreen, 0};
  return {kOk, static_cast<Twips>(kTwipsPerInch / s->logicalDotsPerInchX())};
}

Status QtForms::popupMenu(Form& form, int menu, int flags) {
  // One popup at a time: requests that come while it is open open nothing.
  const ReentryGuard guard(popupOpen_);
  if (!guard.entered()) return kOk;
  VORLIN_TRY(load(form));
  const int chosen = runPopupMenu(form.description(), menu, flags);
  if (chosen != kNone && isLoaded(form)) {
    raise(errorReport_, form, Event{.kind = EventKind::Click, .control = chosen});
  }
  return kOk;
}

Status QtForms::setOptionValue(Form& form, int control, std::int16_t index) {
  const Result<Loaded*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  if (const ControlDesc* c = form.description().find(control, index);
      c == nullptr || c->kind != ControlKind::OptionButton) {
    return kNoSuchElement;
  }
  QAbstractButton* option = slot.value->window->button(control, index);
  if (option == nullptr) return kNoSuchElement;
  option->setChecked(true);
  return form.handle(Event{.kind = EventKind::Click, .control = control, .index = index});
}

}  // namespace vorlin::qt

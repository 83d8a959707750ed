#include "runtime/headless/forms.h"

#include "base/date.h"
#include "base/failures.h"

namespace vorlin {

HeadlessForms::Window& HeadlessForms::window(const Form& form) {
  for (Window& w : windows_) {
    if (w.form == &form) return w;
  }
  windows_.push_back({});
  windows_.back().form = &form;
  return windows_.back();
}

const HeadlessForms::Window* HeadlessForms::find(const Form& form) const {
  for (const Window& w : windows_) {
    if (w.form == &form) return &w;
  }
  return nullptr;
}

void HeadlessForms::deliver(Form& form, const Event& event) {
  if (isLoaded(form)) raise(errorReport_, form, event);
}

void HeadlessForms::tick(int count) {
  for (int i = 0; i < count; ++i) {
    clock_.ticks += 10;
    for (std::size_t w = 0; w < windows_.size(); ++w) {
      if (!windows_[w].loaded) continue;
      Form& form = const_cast<Form&>(*windows_[w].form);
      for (const ControlDesc& c : form.description().controls) {
        if (c.kind == ControlKind::Timer)
          deliver(form, {.kind = EventKind::Timer, .control = c.id});
      }
    }
  }
}

void HeadlessForms::trayReport(Form& host, float mouseMessage) {
  deliver(host, {.kind = EventKind::MouseMove, .x = mouseMessage * twipsPerPixel});
}

void HeadlessForms::clickMenu(Form& form, int control) {
  deliver(form, {.kind = EventKind::Click, .control = control});
}

void HeadlessForms::clickOption(Form& form, int control, std::int16_t index) {
  if (!isLoaded(form)) return;
  reportIfFailed(errorReport_, setOptionValue(form, control, index));
}

void HeadlessForms::clickButton(Form& form, int control) {
  deliver(form, {.kind = EventKind::Click, .control = control});
}

void HeadlessForms::closeFromFrame(Form& form) {
  closeFromOutside(*this, errorReport_, form);
}

void HeadlessForms::taskbarCreated(Form& host) {
  deliver(host, {.kind = EventKind::TaskbarCreated});
}

bool HeadlessForms::running() const {
  for (const Window& w : windows_) {
    if (w.loaded) return true;
  }
  return false;
}

bool HeadlessForms::isVisible(const Form& form) const {
  const Window* w = find(form);
  return w != nullptr && w->loaded && w->visible;
}

Twips HeadlessForms::left(const Form& form) const {
  const Window* w = find(form);
  return w == nullptr ? 0 : w->left;
}

Twips HeadlessForms::top(const Form& form) const {
  const Window* w = find(form);
  return w == nullptr ? 0 : w->top;
}

std::int16_t HeadlessForms::selectedOption(const Form& form) const {
  const Window* w = find(form);
  return w == nullptr ? kNone : w->selectedOption;
}

const BuiltWindow* HeadlessForms::built(const Form& form) const {
  const Window* w = find(form);
  return w == nullptr || !w->built ? nullptr : &*w->built;
}

Status HeadlessForms::load(Form& form) {
  Window& w = window(form);
  if (w.loaded) return kOk;
  w.loaded = true;
  w.visible = false;
  w.hWnd = nextWindow_++;
  w.selectedOption = kNone;
  // The platform places a new window somewhere of its own choosing.
  w.left = 600;
  w.top = 450;
  w.built = buildWindow(form.description());
  if (const Status pictures = w.pictures.load(graphics_, form.description()); pictures.failed()) {
    // As a platform window whose creation failed: nothing of it stays; the failure that stopped
    // the load is the one answered.
    (void)unload(form);
    return pictures;
  }
  return form.handle({.kind = EventKind::Load});
}

Status HeadlessForms::show(Form& form) {
  VORLIN_TRY(load(form));
  window(form).visible = true;
  shown.emplace_back(form.description().name);
  return kOk;
}

Status HeadlessForms::unload(Form& form) {
  Window& w = window(form);
  if (!w.loaded) return kOk;
  const Status released = w.pictures.release(graphics_);
  w.loaded = false;
  w.visible = false;
  unloaded.emplace_back(form.description().name);
  return released;
}

bool HeadlessForms::isLoaded(const Form& form) const {
  const Window* w = find(form);
  return w != nullptr && w->loaded;
}

Result<Handle> HeadlessForms::windowHandle(Form& form) {
  const Status loaded = load(form);
  return {loaded, window(form).hWnd};
}

Result<Handle> HeadlessForms::pictureDC(Form& form, int control, std::int16_t index) {
  VORLIN_TRY(load(form));
  return window(form).pictures.dc(control, index);
}

Result<Twips> HeadlessForms::outerWidth(Form& form) {
  VORLIN_TRY(load(form));
  return {kOk, static_cast<Twips>(form.description().clientWidth) +
                   static_cast<Twips>(2 * framePixels) * twipsPerPixel};
}

Result<Twips> HeadlessForms::outerHeight(Form& form) {
  VORLIN_TRY(load(form));
  return {kOk, static_cast<Twips>(form.description().clientHeight) +
                   static_cast<Twips>(2 * framePixels + captionPixels) * twipsPerPixel};
}

Status HeadlessForms::setLeft(Form& form, Twips value) {
  VORLIN_TRY(load(form));
  window(form).left = value;
  return kOk;
}

Status HeadlessForms::setTop(Form& form, Twips value) {
  VORLIN_TRY(load(form));
  window(form).top = value;
  return kOk;
}

Result<Twips> HeadlessForms::screenWidth() {
  return {kOk, static_cast<Twips>(screenWidthPixels) * twipsPerPixel};
}

Result<Twips> HeadlessForms::screenHeight() {
  return {kOk, static_cast<Twips>(screenHeightPixels) * twipsPerPixel};
}

Result<Twips> HeadlessForms::twipsPerPixelX() {
  return {kOk, twipsPerPixel};
}

Status HeadlessForms::popupMenu(Form& form, int menu, int flags) {
  popups.push_back({std::string(form.description().name), menu, flags});
  const std::optional<int> choice = nextMenuChoice;
  nextMenuChoice.reset();
  if (!choice) return kOk;
  return form.handle({.kind = EventKind::Click, .control = *choice});
}

Status HeadlessForms::setOptionValue(Form& form, int control, std::int16_t index) {
  VORLIN_TRY(load(form));
  if (form.description().find(control, index) == nullptr) return kNoSuchElement;
  window(form).selectedOption = index;
  return form.handle({.kind = EventKind::Click, .control = control, .index = index});
}

}  // namespace vorlin

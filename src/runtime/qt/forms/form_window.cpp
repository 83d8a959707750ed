#include "runtime/qt/forms/form_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "runtime/qt/pictures/icon_image.h"
#include "runtime/qt/pictures/whole_pixel_icon.h"
#include "runtime/qt/platform/display_check.h"

namespace vorlin::qt {
namespace {

int pixels(int twips, Twips twipsPerPixel) {
  return static_cast<int>(std::lround(static_cast<float>(twips) / twipsPerPixel));
}

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QSize FormWindow::clientSize(const FormDesc& desc, Twips twipsPerPixel) {
  return {pixels(desc.clientWidth, twipsPerPixel), pixels(desc.clientHeight, twipsPerPixel)};
}

FormWindow::FormWindow(const FormDesc& desc, Twips twipsPerPixel, ClickHandler onClick,
                       CloseHandler onClose)
    : QWidget(nullptr, Qt::Window),
      onClick_(std::move(onClick)),
      onClose_(std::move(onClose)),
      options_(new OptionGroup(this)) {
  setWindowTitle(text(desc.caption));
  if (desc.icon != nullptr) setWindowIcon(iconSet(imageOfPicture(*desc.icon)));
  resize(clientSize(desc, twipsPerPixel));
  if (onWayland()) {
    // A window that keeps its size is a dialog to a tiling compositor, which floats it rather
    // than stretch it over the workspace; nothing in a form follows its window's size.
    setWindowFlag(Qt::Dialog);
    setFixedSize(size());
  }

  for (const ControlDesc& control : desc.controls) addButton(control, twipsPerPixel);

  // Tab order: the controls' tab indices, ascending.
  std::array<const PlacedButton*, kMaxButtons> order{};
  for (std::size_t i = 0; i < buttonCount_; ++i) order[i] = &buttons_[i];
  auto tabIndex = [&desc](const PlacedButton* e) {
    const ControlDesc* c = desc.find(e->control, e->index);
    return c != nullptr ? c->tabIndex : kNone;
  };
  std::sort(
      order.begin(), order.begin() + static_cast<std::ptrdiff_t>(buttonCount_),
      [&](const PlacedButton* a, const PlacedButton* b) { return tabIndex(a) < tabIndex(b); });
  for (std::size_t i = 1; i < buttonCount_; ++i) {
    QWidget::setTabOrder(order[i - 1]->button, order[i]->button);
  }
}

void FormWindow::addButton(const ControlDesc& control, Twips twipsPerPixel) {
  QAbstractButton* button = nullptr;
  if (control.kind == ControlKind::OptionButton) {
    button = new QRadioButton(text(control.caption), this);
  } else if (control.kind == ControlKind::CommandButton) {
    auto* push = new QPushButton(text(control.caption), this);
    // Enter presses the focused button only: the window has no default button.
    push->setAutoDefault(true);
    push->setDefault(false);
    button = push;
  } else {
    return;
  }
  if (buttonCount_ == kMaxButtons) return;
  button->setGeometry(pixels(control.left, twipsPerPixel), pixels(control.top, twipsPerPixel),
                      pixels(control.width, twipsPerPixel), pixels(control.height, twipsPerPixel));
  button->setFocusPolicy(Qt::StrongFocus);
  buttons_[buttonCount_++] = {control.id, control.index, button};
  if (control.kind == ControlKind::OptionButton) options_->add(control.index, button);
  const Event click{.kind = EventKind::Click, .control = control.id, .index = control.index};
  QObject::connect(button, &QAbstractButton::clicked, this, [this, click] { onClick_(click); });
}

QAbstractButton* FormWindow::button(int control, std::int16_t index) const {
  for (std::size_t i = 0; i < buttonCount_; ++i) {
    if (buttons_[i].control == control && buttons_[i].index == index) return buttons_[i].button;
  }
  return nullptr;
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The window is unloaded by its owner, which also takes it down.
  event->ignore();
  onClose_();
}

}  // namespace vorlin::qt

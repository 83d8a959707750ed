// The Qt window of a loaded form, built from its description: option buttons and command
// buttons at their places, in their tab order, measured in twips.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "runtime/forms.h"
#include "runtime/qt/forms/option_group.h"

class QAbstractButton;

namespace vorlin::qt {

class FormWindow final : public QWidget {
 public:
  using ClickHandler = std::function<void(const Event&)>;
  using CloseHandler = std::function<void()>;

  // `twipsPerPixel`: the screen's ratio; `onClick` receives a button's click, `onClose` a close
  // request through the window's frame.
  FormWindow(const FormDesc& desc, Twips twipsPerPixel, ClickHandler onClick, CloseHandler onClose);

  // The size of the window's client area, in pixels.
  static QSize clientSize(const FormDesc& desc, Twips twipsPerPixel);

  // The option button (control, index), or null when the form has none.
  QAbstractButton* button(int control, std::int16_t index) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct PlacedButton {
    int control = kNone;
    std::int16_t index = kNone;
    QAbstractButton* button = nullptr;
  };
  static constexpr std::size_t kMaxButtons = 16;

  void addButton(const ControlDesc& control, Twips twipsPerPixel);

  ClickHandler onClick_;
  CloseHandler onClose_;
  std::array<PlacedButton, kMaxButtons> buttons_{};
  OptionGroup* options_;
  std::size_t buttonCount_ = 0;
};

}  // namespace vorlin::qt

#include "runtime/qt/option_group.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <algorithm>

namespace vorlin::qt {

void OptionGroup::add(std::int16_t index, QAbstractButton* option) {
  if (count_ == kMaxMembers) return;
  Member* end = members_.data() + count_;
  Member* at = std::find_if(members_.data(), end, [&](const Member& m) { return m.index > index; });
  std::move_backward(at, end, end + 1);
  *at = {index, option};
  ++count_;
  option->installEventFilter(this);
  QObject::connect(option, &QAbstractButton::toggled, this, [this] { updateTabStop(); });
  updateTabStop();
}

void OptionGroup::updateTabStop() {
  std::size_t stop = 0;
  for (std::size_t i = 0; i < count_; ++i) {
    if (members_[i].option->isChecked()) stop = i;
  }
  for (std::size_t i = 0; i < count_; ++i)
    members_[i].option->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionGroup::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  int step = 0;
  switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
      step = 1;
      break;
    case Qt::Key_Up:
    case Qt::Key_Left:
      step = -1;
      break;
    default:
      return false;
  }
  std::size_t from = count_;
  for (std::size_t i = 0; i < count_; ++i) {
    if (members_[i].option == watched) from = i;
  }
  if (from == count_) return false;
  // The group wraps round, as option groups do.
  const std::size_t to = step > 0 ? (from + 1) % count_ : (from + count_ - 1) % count_;
  QAbstractButton* next = members_[to].option;
  next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  // As a click: selects it, clears the others and raises its click.
  if (!next->isChecked()) next->click();
  return true;
}

}  // namespace vorlin::qt

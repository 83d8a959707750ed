#include "runtime/qt/forms/option_group.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <algorithm>
#include <optional>

#include "runtime/option_arrows.h"

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
  const std::optional<Arrow> arrow =
      arrowOf<int>(key->key(), {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right});
  if (!arrow) return false;
  std::array<std::int16_t, kMaxMembers> group{};
  const Member* from = nullptr;
  for (std::size_t i = 0; i < count_; ++i) {
    group[i] = members_[i].index;
    if (members_[i].option == watched) from = &members_[i];
  }
  if (from == nullptr) return false;
  const std::int16_t to = optionAfter(*arrow, from->index, std::span(group).first(count_));
  QAbstractButton* next = from->option;
  for (std::size_t i = 0; i < count_; ++i) {
    if (members_[i].index == to) next = members_[i].option;
  }
  next->setFocus(movesForward(*arrow) ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  // As a click: selects it, clears the others and raises its click.
  if (!next->isChecked()) next->click();
  return true;
}

}  // namespace vorlin::qt

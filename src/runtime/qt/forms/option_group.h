// The option buttons of a window as one group for the keyboard: the arrow keys move among them
// only, in the order of their indices, and select the option they land on; Tab stops at the
// selected option alone.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>

class QAbstractButton;

namespace vorlin::qt {

class OptionGroup final : public QObject {
 public:
  explicit OptionGroup(QObject* parent) : QObject(parent) {}

  // Adds the member with this index.
  void add(std::int16_t index, QAbstractButton* option);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Member {
    std::int16_t index = 0;
    QAbstractButton* option = nullptr;
  };
  static constexpr std::size_t kMaxMembers = 16;

  // Only the selected option, or the first when none is, takes the focus from Tab.
  void updateTabStop();

  std::array<Member, kMaxMembers> members_{};
  std::size_t count_ = 0;
};

}  // namespace vorlin::qt

// Windows and their controls described as data; every runtime builds its real windows from the
// same description. Measures are in twips, 1440 to the inch.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "art/picture.h"

namespace vorlin {

enum class ControlKind : std::uint8_t {
  PictureBox,
  Timer,
  Menu,       // a menu or one of its items; `parent` is the id of the menu it belongs to
  Separator,  // a separator line in a menu
  OptionButton,
  CommandButton,
};

inline constexpr int kNone = -1;
inline constexpr int kTwipsPerInch = 1440;

struct ControlDesc {
  int id;  // the form's own id for the control; members of a control array share it
  ControlKind kind;
  std::int16_t index = kNone;  // member index in a control array
  std::string_view caption = {};
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tabIndex = kNone;  // option and command buttons: the order the keyboard visits them
  const art::Picture* picture = nullptr;  // picture boxes
  int interval = 0;                       // timers, milliseconds
  int parent = kNone;                     // menu items
};

// A menu item that the menu shows as a separator line: a separator, or an item captioned "-".
constexpr bool isSeparator(const ControlDesc& c) {
  return c.kind == ControlKind::Separator || (c.kind == ControlKind::Menu && c.caption == "-");
}

struct FormDesc {
  std::string_view name;
  std::string_view caption;
  int clientWidth;   // twips
  int clientHeight;  // twips
  const art::Picture* icon;
  std::span<const ControlDesc> controls;

  constexpr const ControlDesc* find(int id, std::int16_t index = kNone) const {
    for (const ControlDesc& c : controls) {
      if (c.id == id && c.index == index) return &c;
    }
    return nullptr;
  }
};

}  // namespace vorlin

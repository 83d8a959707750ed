// Which option of a group an arrow key selects, the same on every runtime: Down and Right the
// nearest index above, Up and Left the nearest below, round the group (past the last, the first).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vorlin {

enum class Arrow : std::uint8_t { Up, Down, Left, Right };

// The arrow a platform's key is, given the platform's codes for Up, Down, Left and Right.
template <class Key>
constexpr std::optional<Arrow> arrowOf(Key key, const std::array<Key, 4>& codes) {
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == key) return static_cast<Arrow>(i);
  }
  return std::nullopt;
}

// Down and Right move forward, to higher indices; Up and Left back.
constexpr bool movesForward(Arrow arrow) {
  return arrow == Arrow::Down || arrow == Arrow::Right;
}

// The index of the option that `arrow` selects from option `from` of the group whose members have
// the indices `group`, in any order; `from` itself when it is alone.
constexpr std::int16_t optionAfter(Arrow arrow, std::int16_t from,
                                   std::span<const std::int16_t> group) {
  const int step = movesForward(arrow) ? 1 : -1;
  std::optional<std::int16_t> next;  // the nearest index past `from` in the arrow's direction
  std::optional<std::int16_t> wrap;  // the farthest on the other side
  for (const std::int16_t i : group) {
    const int ahead = (i - from) * step;
    if (ahead > 0 && (!next || (i - *next) * step < 0)) next = i;
    if (ahead < 0 && (!wrap || (i - *wrap) * step < 0)) wrap = i;
  }
  return next.value_or(wrap.value_or(from));
}

}  // namespace vorlin

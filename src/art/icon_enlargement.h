// The rules of every enlargement of the 16 × 16 date icon to the size a notification area shows
// (the Windows runtime's icon at the tray's size, the Qt runtime's whole-pixel icons): each
// pixel of the larger icon takes the pixel of the 16 × 16 one under its centre (nearest
// neighbour), so that a whole multiple of 16 gives exact n × n blocks; and the sizes offered to a
// tray that picks one itself.
#pragma once

#include <algorithm>

#include "art/artwork.h"

namespace vorlin {

// The row or column of the 16 × 16 icon that row or column `at` of a `size` × `size` icon shows.
constexpr int enlargedFrom(int at, int size) {
  return (2 * at + 1) * art::kIconSize / (2 * size);
}

// The largest whole factor by which the 16 × 16 icon fits a place `side` pixels wide; 1 for a
// place smaller than it.
constexpr int wholeFactor(int side) {
  return std::max(side / art::kIconSize, 1);
}

// The sizes offered to a tray that picks one itself: the whole multiples of the 16-pixel icon,
// and the usual slots between them, which hold the largest whole multiple that fits, centred. A
// tray handed only the multiples would shrink the next larger one into such a slot, smoothing it.
inline constexpr int kTraySlotSizes[] = {16, 20, 22, 24, 32, 44, 48, 64};

}  // namespace vorlin

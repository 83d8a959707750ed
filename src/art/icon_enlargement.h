// The rule of every enlargement of the 16 × 16 date icon to the size a notification area shows
// (the Windows runtime's icon at the tray's size, the Qt runtime's whole-pixel icons): each
// pixel of the larger icon takes the pixel of the 16 × 16 one under its centre (nearest
// neighbour), so that a whole multiple of 16 gives exact n × n blocks.
#pragma once

#include "art/artwork.h"

namespace vorlin {

// The row or column of the 16 × 16 icon that row or column `at` of a `size` × `size` icon shows.
constexpr int enlargedFrom(int at, int size) {
  return (2 * at + 1) * art::kIconSize / (2 * size);
}

}  // namespace vorlin

// Which option an arrow key selects, the rule every runtime's option group follows.
#include <gtest/gtest.h>

#include <array>

#include "runtime/option_arrows.h"

namespace vorlin::test {
namespace {

TEST(OptionArrows, SelectTheNearestIndexRoundTheGroup) {
  // A group listed out of index order, with a gap: 0, 1, 3, 5.
  constexpr std::array<std::int16_t, 4> kGroup{3, 0, 5, 1};
  struct Case {
    Arrow arrow;
    std::int16_t from;
    std::int16_t selected;
  };
  constexpr Case kCases[] = {
      {Arrow::Down, 0, 1}, {Arrow::Right, 1, 3}, {Arrow::Down, 3, 5}, {Arrow::Right, 5, 0},
      {Arrow::Up, 0, 5},   {Arrow::Left, 5, 3},  {Arrow::Up, 3, 1},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(optionAfter(c.arrow, c.from, kGroup), c.selected)
        << "arrow " << static_cast<int>(c.arrow) << " from " << c.from;
  }
  constexpr std::array<std::int16_t, 1> kAlone{2};
  EXPECT_EQ(optionAfter(Arrow::Up, 2, kAlone), 2);
  // A platform's key codes, given for Up, Down, Left and Right.
  EXPECT_EQ(arrowOf<int>(39, {38, 40, 37, 39}), Arrow::Right);
  EXPECT_EQ(arrowOf<int>(40, {38, 40, 37, 39}), Arrow::Down);
  EXPECT_EQ(arrowOf<int>(9, {38, 40, 37, 39}), std::nullopt);
}

}  // namespace
}  // namespace vorlin::test

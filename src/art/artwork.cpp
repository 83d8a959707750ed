#include "art/artwork.h"

namespace vorlin::art {
namespace {

constexpr std::string_view kPlainRow = "................";
constexpr std::array<std::string_view, kIconSize> kPlainRows{
    kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow,
    kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow, kPlainRow};

constexpr Picture plain(Rgb colour) {
  return {kIconSize, kIconSize, kPlainRows.data(), colour, colour};
}

constexpr std::array<Picture, kBackgroundCount> kBackgroundPictures{
    plain(kBackgrounds[0].colour), plain(kBackgrounds[1].colour), plain(kBackgrounds[2].colour),
    plain(kBackgrounds[3].colour), plain(kBackgrounds[4].colour), plain(kBackgrounds[5].colour)};

constexpr std::array<std::string_view, kGlyphHeight> kDigitRows{
    ".##....#..###..####...#..####..##..####..##...##.",
    "#..#..##.....#...#...##..#....#.......#.#..#.#..#",
    "#.##...#.....#..##..#.#..###..###....#...##..#..#",
    "##.#...#...##.....#.####....#.#..#..#...#..#..###",
    "#..#...#..#....#..#...#.....#.#..#..#...#..#....#",
    ".##....#..####..##....#..###...##...#....##...##.",
};

// One line to a glyph row, the 26 letters of five columns each side by side: wider than the
// formatter allows, kept so that a letter can be read and edited in place.
// clang-format off
constexpr std::array<std::string_view, kGlyphHeight> kLetterRows{
    ".##..###...##..###..####.####..###.#..#..###....#.#..#.#....#..#.#..#..##..###...##..###...###..###.#..#.#..#.#..#.#..#.#..#.####",
    "#..#.#..#.#..#.#..#.#....#....#....#..#...#.....#.#.#..#....####.#..#.#..#.#..#.#..#.#..#.#......#..#..#.#..#.#..#.#..#.#..#....#",
    "####.###..#....#..#.###..###..#.##.####...#.....#.##...#....####.##.#.#..#.###..#..#.###...##....#..#..#.#..#.#..#..##...##....#.",
    "#..#.#..#.#....#..#.#....#....#..#.#..#...#..#..#.##...#....#..#.#.##.#..#.#....##.#.##......#...#..#..#.#..#.####..##....#...#..",
    "#..#.#..#.#..#.#..#.#....#....#..#.#..#...#..#..#.#.#..#....#..#.#..#.#..#.#....#.##.#.#.....#...#..#..#..##..####.#..#...#..#...",
    "#..#.###...##..###..####.#.....##..#..#..###..##..#..#.####.#..#.#..#..##..#.....###.#..#.###....#...##...##..#..#.#..#...#..####",
};
// clang-format on

constexpr std::array<std::string_view, kIconSize> kProgramIconRows{
    "................", "................", "...###...##.....", "......#.#..#....",
    "......#.#..#....", "....##...###....", "...#.......#....", "...####..##.....",
    "................", ".#..#..##..#..#.", ".#..#.#..#.#..#.", ".##.#.#..#.#..#.",
    ".#.##.#..#.#..#.", ".#..#.#..#..##..", ".#..#..##...##..", "................",
};

constexpr Picture kDigitStrip{49, kGlyphHeight, kDigitRows.data(), kInk, kPaper};
constexpr Picture kLetterStrip{129, kGlyphHeight, kLetterRows.data(), kInk, kPaper};
constexpr Picture kProgramIcon{kIconSize, kIconSize, kProgramIconRows.data(), rgb(0, 0, 0),
                               rgb(255, 255, 0)};

constexpr bool rowsHaveWidth(const Picture& p) {
  for (int y = 0; y < p.height; ++y) {
    if (p.rows[y].size() != p.width) return false;
  }
  return true;
}
static_assert(rowsHaveWidth(kDigitStrip) && rowsHaveWidth(kLetterStrip) &&
              rowsHaveWidth(kProgramIcon));

}  // namespace

const Picture& background(int index) {
  return kBackgroundPictures[static_cast<unsigned>(index)];
}
const Picture& digitStrip() {
  return kDigitStrip;
}
const Picture& letterStrip() {
  return kLetterStrip;
}
const Picture& programIcon() {
  return kProgramIcon;
}

}  // namespace vorlin::art

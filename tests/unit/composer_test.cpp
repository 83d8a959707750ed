// The composed date icon, pixel for pixel, through the whole program: timer tick, refresh,
// composer, and the notification area's copy of the icon.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "art/icon_enlargement.h"
#include "support/soak.h"
#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

TEST(ComposedIcon, SixthOfDecemberOnGray) {
  Vorlin v;
  v.rt.forms.tick();
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "06", "DEC")), "");
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
}

TEST(ComposedIcon, EveryDayOfAMonthWithItsLeadingZero) {
  // Days 1 to 31 draw every digit in both places, with the leading zero up to the 9th.
  Vorlin v(serialFromCivil(2027, 1, 1, 0, 0, 1));
  for (unsigned day = 1; day <= 31; ++day) {
    v.rt.clock.time = serialFromCivil(2027, 1, day, 23, 59, 59);
    v.rt.forms.tick();
    const std::string text{static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    ASSERT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, text, "JAN")), "") << day;
  }
}

TEST(ComposedIcon, EveryLetterOfTheStrip) {
  Vorlin v(serialFromCivil(2026, 1, 15));
  const std::array<std::string, 9> names{"ABC", "DEF", "GHI", "JKL", "MNO",
                                         "PQR", "STU", "VWX", "YZA"};
  for (unsigned i = 0; i < names.size(); ++i) {
    v.rt.clock.monthNames[i] = names[i];
    v.rt.clock.time = serialFromCivil(2026, i + 1, 15);
    v.rt.forms.tick();
    ASSERT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "15", names[i])), "") << names[i];
  }
}

TEST(ComposedIcon, EachBackgroundWithItsInk) {
  // The ink is the glyph's (7, 9, 6) ANDed into the background.
  const std::array<art::Rgb, 6> inks{0x000000, 0x000906, 0x070006, 0x070900, 0x070000, 0x070906};
  Vorlin v(serialFromCivil(2026, 11, 28));
  v.rt.forms.tick();
  for (std::int16_t i = 0; i < 6; ++i) {
    v.program.mDate.colourIndex = i;
    ASSERT_TRUE(v.program.mDate.refreshTrayIcon().ok());
    const art::Rgb background = kBackgroundColours[static_cast<unsigned>(i)];
    const IconPixels icon = v.shownIcon();
    EXPECT_EQ(differences(icon, expectedIcon(background, "28", "NOV")), "") << i;
    std::set<art::Rgb> colours(icon.colour.begin(), icon.colour.end());
    EXPECT_EQ(colours, (std::set<art::Rgb>{background, inks[static_cast<unsigned>(i)]}));
    for (int k = 0; k < 16; ++k) {
      for (int row : {0, 1, 8, 15}) EXPECT_EQ(icon.at(k, row), background) << k << "," << row;
      for (int column : {0, 15}) EXPECT_EQ(icon.at(column, k), background) << column << "," << k;
    }
  }
}

struct MonthCase {
  const char* name;
  std::string text;  // the locale's abbreviation for December
  const char* drawn;
};

void PrintTo(const MonthCase& c, std::ostream* out) {
  *out << c.name;
}

class MonthText : public testing::TestWithParam<MonthCase> {};

TEST_P(MonthText, DrawsCapitalsAndNeverFails) {
  Vorlin v(serialFromCivil(2026, 12, 24));
  v.rt.clock.monthNames[11] = GetParam().text;
  v.rt.forms.tick();
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "24", GetParam().drawn)), "");
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Locales, MonthText,
    testing::Values(
        MonthCase{"English", "Dec", "DEC"}, MonthCase{"LowerCase", "dec", "DEC"},
        MonthCase{"FourLetters", "Sept", "SEP"},
        MonthCase{"FrenchAccentAndStop",
                  "d\xC3\xA9"
                  "c.",
                  "DEC"},
        MonthCase{"FrenchDecomposedAccent",
                  "de\xCC\x81"
                  "c.",
                  "DEC"},
        MonthCase{"German", "Dez", "DEZ"}, MonthCase{"GermanUmlaut", "M\xC3\xA4r", "MAR"},
        MonthCase{"StopInsideTheThree", "d.c", "D C"}, MonthCase{"TwoCharacters", "Ma", "MA "},
        MonthCase{"Empty", "", "DEC"}, MonthCase{"Cyrillic", "\xD0\xB4\xD0\xB5\xD0\xBA", "DEC"},
        MonthCase{"Japanese", "12\xE6\x9C\x88", "DEC"}, MonthCase{"BrokenUtf8", "\xFF\xC3", "DEC"},
        // A character of four bytes is one character; a text longer than its store keeps its start.
        MonthCase{"FourBytes",
                  "\xF0\x9F\x93\x85"
                  "de",
                  " DE"},
        MonthCase{"LongerThanItsStore", std::string(70, 'n'), "NNN"},
        // Letters outside Latin-1 and Latin Extended-A, from the locales' own month names: yo_NG's
        // January, "Ṣẹ́rẹ́" (dot below, then an acute stacked on ẹ); se_NO's January, "ođđj";
        // gd_GB's June, "Ògmh", with its grave decomposed (U+0300, the first combining mark).
        MonthCase{"YorubaStackedMarks", "\xE1\xB9\xA2\xE1\xBA\xB9\xCC\x81r\xE1\xBA\xB9\xCC\x81",
                  "SER"},
        MonthCase{"SamiStroke", "o\xC4\x91\xC4\x91j", "ODD"},
        MonthCase{"GaelicFirstMark", "O\xCC\x80gmh", "OGM"},
        // U+02FF, just before the combining marks, is a character of its own, drawn blank.
        MonthCase{"LastBeforeTheMarks", "A\xCB\xBFpr", "A P"},
        // ǔ (Latin Extended-B) in the Pinyin of May, "wǔyuè"; ß is SS in capitals, ẞ its capital.
        MonthCase{"PinyinCaron", "w\xC7\x94yu\xC3\xA8", "WUY"},
        MonthCase{"SharpS", "\xC3\x9Fr\xE1\xBA\x9E", "SRS"},
        // ak_GH's September, "F-Ɛ": open e, a letter of its own, has no base letter to draw.
        MonthCase{"AkanOpenE", "F-\xC6\x90", "F  "}),
    [](const testing::TestParamInfo<MonthCase>& info) { return info.param.name; });

TEST(ComposedIcon, IsOpaque) {
  Vorlin v;
  v.rt.forms.tick();
  const IconPixels icon = v.shownIcon();
  for (std::uint8_t bit : icon.mask) ASSERT_EQ(bit, 0);
}

TEST(ComposedIcon, TenThousandRefreshesLeaveNothingBehind) {
  HeadlessRuntime rt(graphicsUnderTest());
  rt.clock.time = kDec6;
  const SoakCounts counts = soak(rt.services, 10000);
  ASSERT_TRUE(counts.ran);
  EXPECT_EQ(counts.first.icons, counts.started.icons + 1);  // the icon the entry shows
  EXPECT_EQ(counts.last, counts.first);
  // Close releases the last icon; unloading the window releases its pictures.
  EXPECT_EQ(counts.closed, LiveObjects{});
}

// A tray that shows larger icons is handed the picture enlarged by whole pixels: each row and
// column shows the one under its centre, so that twice the size gives exact 2 × 2 blocks.
TEST(EnlargedIcon, EachPixelShowsTheOneUnderItsCentre) {
  const std::pair<int, std::string> cases[] = {
      {16, "0123456789ABCDEF"},
      {20, "012234566789AABCDEEF"},
      {24, "011233455677899ABBCDDEFF"},
      {32, "00112233445566778899AABBCCDDEEFF"},
  };
  for (const auto& [size, columns] : cases) {
    std::string shown;
    for (int at = 0; at < size; ++at) shown += "0123456789ABCDEF"[enlargedFrom(at, size)];
    EXPECT_EQ(shown, columns) << size;
  }
}

}  // namespace
}  // namespace vorlin::test

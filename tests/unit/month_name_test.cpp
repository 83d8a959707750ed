// The locale's month abbreviation arrives as UTF-8 whatever character set the locale writes in,
// in the form a month takes standing alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/date.h"
#include "render/month_letters.h"
#include "runtime/posix/clock.h"

namespace vorlin::test {
namespace {

struct MonthCase {
  const char* lcAll;   // empty: unset
  const char* lcTime;  // empty: unset
  unsigned month;
  std::string utf8;
};

TEST(MonthName, IsDecodedWithTheCharacterSetOfTheTimeLocale) {
  const MonthCase cases[] = {
      {"fr_FR", "", 2, "f\xC3\xA9vr."},        // ISO-8859-1
      {"de_DE", "", 3, "M\xC3\xA4r"},          // ISO-8859-1
      {"fr_FR.UTF-8", "", 2, "f\xC3\xA9vr."},  // already UTF-8
      {"", "fr_FR", 2, "f\xC3\xA9vr."},        // only LC_TIME French, in its own set
      {"ca_ES", "", 3, "mar\xC3\xA7"},         // ISO-8859-1, standalone form
      {"C", "", 2, "Feb"},
  };
  for (const MonthCase& c : cases) {
    unsetenv("LC_ALL");
    unsetenv("LC_TIME");
    setenv("LANG", "C.UTF-8", 1);
    if (*c.lcAll != '\0') setenv("LC_ALL", c.lcAll, 1);
    if (*c.lcTime != '\0') setenv("LC_TIME", c.lcTime, 1);
    const ShortText month = localMonthAbbreviation(serialFromCivil(2025, c.month, 14));
    EXPECT_EQ(std::string(month.view()), c.utf8) << c.lcAll << " " << c.lcTime;
  }
  unsetenv("LC_ALL");
  unsetenv("LC_TIME");
}

// The three cells the icon's month row draws from a text: a capital, or a space for a blank cell.
std::string drawnLetters(const ShortText& month) {
  std::string cells;
  for (const char32_t c : firstCharacters(month.view())) {
    const char letter = glyphLetter(c);
    cells += letter != 0 ? letter : ' ';
  }
  return cells;
}

// Within a date Catalan writes "de gen.", "d'abr."; the icon shows the month standing alone.
TEST(MonthName, CatalanMonthsAreDrawnInTheirStandaloneForm) {
  const char* const drawn[] = {"GEN", "FEB", "MAR", "ABR", "MAI", "JUN",
                               "JUL", "AG ", "SET", "OCT", "NOV", "DES"};
  for (const char* locale : {"ca_ES.UTF-8", "ca_ES@valencia", "ca_AD"}) {
    setenv("LC_ALL", locale, 1);
    for (unsigned month = 1; month <= 12; ++month) {
      const ShortText text = localMonthAbbreviation(serialFromCivil(2025, month, 14));
      EXPECT_EQ(drawnLetters(text), drawn[month - 1])
          << locale << " month " << month << ": " << text.view();
    }
  }
  unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vorlin::test

// The locale's month abbreviation arrives as UTF-8 whatever character set the locale writes in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/date.h"
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

}  // namespace
}  // namespace vorlin::test

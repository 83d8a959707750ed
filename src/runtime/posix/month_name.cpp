#include "runtime/posix/clock.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/date.h"

namespace vorlin {
namespace {

// An iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// The name of the user's LC_TIME locale, as the C library resolves it from the environment.
const char* timeLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

// A locale object with the user's LC_TIME and that locale's own character set (LC_CTYPE), so
// that the bytes of a month name are read in the character set they were written in. Freed when
// it goes out of scope.
class TimeLocale {
 public:
  TimeLocale() : locale_(newlocale(LC_TIME_MASK | LC_CTYPE_MASK, timeLocaleName(), nullptr)) {}
  ~TimeLocale() {
    if (locale_ != nullptr) freelocale(locale_);
  }
  TimeLocale(const TimeLocale&) = delete;
  TimeLocale& operator=(const TimeLocale&) = delete;

  locale_t get() const { return locale_; }

 private:
  locale_t locale_;
};

}  // namespace

ShortText localMonthAbbreviation(double date) {
  const CivilDate civil = civilFromSerial(date);
  tm when{};
  when.tm_year = civil.year - 1900;
  when.tm_mon = static_cast<int>(civil.month) - 1;
  when.tm_mday = static_cast<int>(civil.day);

  const TimeLocale locale;
  std::array<char, 64> local{};
  std::size_t length = 0;
  const char* codeset = "UTF-8";
  // The month stands alone on the icon, so its standalone (nominative) abbreviation is read where
  // the locale has one: %b is the form used inside a date, in Catalan "de gen.", "d'abr.". Where
  // the locale has no alternative form, %Ob gives %b; where it gives nothing, %b is read.
  for (const char* format : {"%Ob", "%b"}) {
    if (locale.get() != nullptr) {
      length = strftime_l(local.data(), local.size(), format, &when, locale.get());
    } else {
      length = strftime(local.data(), local.size(), format, &when);
    }
    if (length != 0) break;
  }
  if (locale.get() != nullptr) codeset = nl_langinfo_l(CODESET, locale.get());
  if (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "ANSI_X3.4-1968") == 0) {
    return ShortText(std::string_view(local.data(), length));
  }

  const Converter converter("UTF-8", codeset);
  if (!converter.valid()) return ShortText(std::string_view(local.data(), length));
  std::array<char, ShortText::kCapacity> utf8{};
  char* in = local.data();
  std::size_t inLeft = length;
  char* out = utf8.data();
  std::size_t outLeft = utf8.size();
  iconv(converter.get(), &in, &inLeft, &out, &outLeft);
  return ShortText(std::string_view(utf8.data(), utf8.size() - outLeft));
}

}  // namespace vorlin

#include "render/month_letters.h"

#include <cstdint>
#include <iterator>

#include "render/month_letter_table.h"

namespace vorlin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// What Unicode's data makes of `c`: 1 to 26 for a letter drawn as A to Z, kMarkKind for a
// combining mark, 0 for anything else (the table starts past ASCII).
unsigned kindOf(char32_t c) {
  using namespace month_letter_table;
  const std::uint8_t* run = kRuns;
  for (std::size_t i = 0; i < std::size(kStretchFirst) && c >= kStretchFirst[i]; ++i) {
    char32_t at = kStretchFirst[i];
    for (const std::uint8_t* end = run + kStretchRuns[i]; run != end; ++run) {
      const unsigned r = *run;
      at += (r & ((1u << kCountBits) - 1)) + 1;
      if (c < at) return r >> kCountBits;
    }
  }
  return 0;
}

// Decodes one character at `at`, moving `at` past it.
char32_t decode(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, least = 0x10000;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < extra; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
      return kReplacement;
    c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return c < least || c > 0x10FFFF ? kReplacement : c;
}

}  // namespace

std::array<char32_t, 3> firstCharacters(std::string_view text) {
  std::array<char32_t, 3> out{};
  std::size_t at = 0;
  std::size_t count = 0;
  while (at < text.size()) {
    const char32_t c = decode(text, at);
    if (count > 0 && kindOf(c) == month_letter_table::kMarkKind) continue;
    if (count == out.size()) break;
    out[count++] = c;
  }
  return out;
}

char glyphLetter(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  const unsigned kind = kindOf(c);
  return kind >= 1 && kind <= 26 ? static_cast<char>('A' + kind - 1) : 0;
}

std::string_view englishMonth(unsigned month) {
  constexpr const char* kMonths = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
  return month - 1 < 12 ? std::string_view(kMonths + 3 * (month - 1), 3) : std::string_view{};
}

}  // namespace vorlin

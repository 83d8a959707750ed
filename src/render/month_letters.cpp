#include "render/month_letters.h"

#include <cstdint>

namespace vorlin {
namespace {

// Base letters of U+00C0 to U+017F; '-' where there is none.
constexpr std::string_view kLatin1Letters =
    "AAAAAAACEEEEIIIIDNOOOOO-OUUUUY-S"
    "AAAAAAACEEEEIIIIDNOOOOO-OUUUUY-Y";
constexpr std::string_view kLatinExtendedALetters =
    "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGGGGGGHHHHIIIIIIIIIIIIJJKKKLLLLLLLLLLNNNNNNNNNOOOOOOOORRRRRR"
    "SSSSSSSSTTTTTTUUUUUUUUUUUUWWYYYZZZZZZS";
static_assert(kLatin1Letters.size() == 0x100 - 0xC0);
static_assert(kLatinExtendedALetters.size() == 0x180 - 0x100);

constexpr char32_t kReplacement = 0xFFFD;

bool isCombiningMark(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
         (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
         (c >= 0xFE20 && c <= 0xFE2F);
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
    if (isCombiningMark(c) && count > 0) continue;
    if (count == out.size()) break;
    out[count++] = c;
  }
  return out;
}

char glyphLetter(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  char base = '-';
  if (c >= 0xC0 && c < 0x100) base = kLatin1Letters[c - 0xC0];
  if (c >= 0x100 && c < 0x180) base = kLatinExtendedALetters[c - 0x100];
  return base == '-' ? 0 : base;
}

std::string_view englishMonth(unsigned month) {
  constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : std::string_view{};
}

}  // namespace vorlin

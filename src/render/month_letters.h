// The month row of the icon draws capital letters A to Z only. These helpers turn the locale's
// month text into the letters the glyph strip holds.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorlin {

// The first three characters of UTF-8 `text`, as code points; combining marks (those of
// Unicode's blocks of combining diacritical marks) belong to the character before them and do not
// count. Missing characters are 0; a byte that does not start a valid sequence gives U+FFFD.
std::array<char32_t, 3> firstCharacters(std::string_view text);

// The capital A to Z that a character is drawn as: the base letter that Unicode's data gives it,
// by its decomposition (É and Ṣ as E and S), its name (đ, "D WITH STROKE", as D) or its other
// case (ı as I, ß as S for its capitals SS); 0 when the data gives none (ɛ, ɔ, other scripts).
char glyphLetter(char32_t c);

// The English abbreviation of a month, 1 to 12, in capitals.
std::string_view englishMonth(unsigned month);

}  // namespace vorlin

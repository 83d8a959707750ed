// Writes the table of characters that the icon's month row reads (render/month_letter_table.h),
// from Unicode's character data: the letter A to Z each character is drawn as, and the combining
// marks that belong to the character before them.
//
// A letter is drawn as the base letter that Unicode's data gives it, by the first route that
// gives one:
// - its decomposition, canonical (É is E + acute) or, for ligatures and digraphs, compatibility
//   (ĳ is i + j), followed to the first code point;
// - its name, for the letters with a stroke, hook or bar that Unicode does not decompose
//   ("LATIN SMALL LETTER D WITH STROKE");
// - its other case: simple (ı is the small of I) or full (ß is SS in capitals, SpecialCasing.txt).
// A letter of a script of its own (ɛ, ɔ, ɣ, þ) has none of these and is drawn as nothing.
// The combining marks are the nonspacing and enclosing marks of the blocks named "Combining ...".
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Character {
  std::string name;
  std::string category;
  std::vector<char32_t> decomposition;  // canonical, or compatibility tagged <compat>
  std::vector<char32_t> otherCases;
};

using Characters = std::map<char32_t, Character>;

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line.substr(0, line.find('#')));
  for (std::string field; std::getline(in, field, ';');) out.push_back(field);
  return out;
}

std::vector<char32_t> codePoints(const std::string& text) {
  std::vector<char32_t> out;
  std::stringstream in(text);
  for (std::string word; in >> word;) out.push_back(static_cast<char32_t>(std::stoul(word, 0, 16)));
  return out;
}

bool readUnicodeData(const std::string& path, Characters& characters) {
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = fields(line);
    if (f.size() < 14) continue;
    Character& c = characters[static_cast<char32_t>(std::stoul(f[0], 0, 16))];
    c.name = f[1];
    c.category = f[2];
    const std::string compat = "<compat>";
    if (f[5].compare(0, compat.size(), compat) == 0) {
      c.decomposition = codePoints(f[5].substr(compat.size()));
    } else if (f[5].find('<') == std::string::npos) {
      c.decomposition = codePoints(f[5]);
    }
    for (int caseField : {12, 13}) {
      if (!f[caseField].empty()) c.otherCases.push_back(codePoints(f[caseField]).front());
    }
  }
  return !characters.empty();
}

// The full upper case of SpecialCasing.txt (its first code point), where no condition applies.
bool readSpecialCasing(const std::string& path, Characters& characters) {
  std::ifstream in(path);
  bool any = false;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = fields(line);
    if (f.size() < 4 || (f.size() > 4 && f[4].find_first_not_of(' ') != std::string::npos))
      continue;
    const std::vector<char32_t> upper = codePoints(f[3]);
    if (upper.empty()) continue;
    characters[codePoints(f[0]).front()].otherCases.push_back(upper.front());
    any = true;
  }
  return any;
}

bool readCombiningBlocks(const std::string& path, std::vector<std::pair<char32_t, char32_t>>& out) {
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = fields(line);
    if (f.size() != 2 || f[1].find(" Combining") != 0) continue;
    const std::size_t dots = f[0].find("..");
    out.emplace_back(std::stoul(f[0].substr(0, dots), 0, 16),
                     std::stoul(f[0].substr(dots + 2), 0, 16));
  }
  return !out.empty();
}

// The base letter of `c`, 'A' to 'Z', or 0.
char baseLetter(const Characters& characters, char32_t c, std::set<char32_t>& seen) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  const auto found = characters.find(c);
  if (found == characters.end() || found->second.category[0] != 'L' || !seen.insert(c).second)
    return 0;
  const Character& character = found->second;
  if (!character.decomposition.empty()) {
    if (const char letter = baseLetter(characters, character.decomposition.front(), seen))
      return letter;
  }
  const std::string& name = character.name;
  for (const std::string prefix : {"LATIN CAPITAL LETTER ", "LATIN SMALL LETTER "}) {
    const std::size_t at = prefix.size();
    if (name.compare(0, at, prefix) == 0 && name.size() > at + 6 && name[at] >= 'A' &&
        name[at] <= 'Z' && name.compare(at + 1, 6, " WITH ") == 0)
      return name[at];
  }
  for (const char32_t other : character.otherCases) {
    if (const char letter = baseLetter(characters, other, seen)) return letter;
  }
  return 0;
}

constexpr unsigned kMarkKind = 27;
constexpr unsigned kCountBits = 3;
constexpr unsigned kLongestRun = 1u << kCountBits;
// A stretch of code points that have no kind costs one byte per eight; past this, a new stretch.
constexpr char32_t kLongestGap = 48;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_month_letters UNICODE-DATA-FOLDER OUTPUT\n");
    return 2;
  }
  const std::string folder = argv[1];
  Characters characters;
  std::vector<std::pair<char32_t, char32_t>> combining;
  bool read = false;
  try {
    read = readUnicodeData(folder + "/UnicodeData.txt", characters) &&
           readSpecialCasing(folder + "/SpecialCasing.txt", characters) &&
           readCombiningBlocks(folder + "/Blocks.txt", combining);
  } catch (const std::exception&) {  // a code point that is not hexadecimal
  }
  if (!read) {
    std::fprintf(stderr, "write_month_letters: cannot read Unicode's data in %s\n", folder.c_str());
    return 1;
  }
  // "# Blocks-15.0.0.txt"
  std::string version;
  std::getline(std::ifstream(folder + "/Blocks.txt"), version);
  version = version.substr(version.find('-') + 1);
  version = version.substr(0, version.rfind(".txt"));

  // What each code point from U+0080 on is: 1 to 26 a letter A to Z, kMarkKind a mark.
  std::map<char32_t, unsigned> kinds;
  for (const auto& [c, character] : characters) {
    if (c < 0x80) continue;
    std::set<char32_t> seen;
    if (const char letter = baseLetter(characters, c, seen)) kinds[c] = unsigned(letter - 'A' + 1);
  }
  for (const auto& [first, last] : combining) {
    for (char32_t c = first; c <= last; ++c) {
      const auto found = characters.find(c);
      if (found != characters.end() &&
          (found->second.category == "Mn" || found->second.category == "Me"))
        kinds[c] = kMarkKind;
    }
  }

  std::vector<char32_t> stretchFirst;
  std::vector<unsigned> stretchRuns;
  std::vector<unsigned> runs;
  char32_t next = 0;  // the code point after the last one described
  for (auto at = kinds.begin(); at != kinds.end();) {
    if (stretchFirst.empty() || at->first - next > kLongestGap) {
      stretchFirst.push_back(at->first);
      stretchRuns.push_back(0);
      next = at->first;
    }
    const char32_t c = next;
    const auto found = kinds.find(c);
    const unsigned kind = found == kinds.end() ? 0 : found->second;
    unsigned count = 1;
    while (count < kLongestRun) {
      const auto following = kinds.find(c + count);
      if ((following == kinds.end() ? 0 : following->second) != kind) break;
      ++count;
    }
    runs.push_back(kind << kCountBits | (count - 1));
    ++stretchRuns.back();
    next = c + count;
    while (at != kinds.end() && at->first < next) ++at;
  }

  std::ofstream out(argv[2]);
  out << "// Written by tools/write_month_letters from the data of Unicode " << version
      << "; do not edit.\n#pragma once\n\n#include <cstdint>\n\n"
      << "namespace vorlin::month_letter_table {\n\n"
      << "// What each code point from U+0080 on is, in stretches: stretch i starts at\n"
      << "// kStretchFirst[i] and is described by the next kStretchRuns[i] bytes of kRuns. Each\n"
      << "// byte is a run of code points of one kind: the kind in the bits from kCountBits up\n"
      << "// (0 nothing, 1 to 26 a letter A to Z, kMarkKind a combining mark), the number of code\n"
      << "// points less one below. Code points in no stretch are nothing.\n"
      << "inline constexpr unsigned kMarkKind = " << kMarkKind << ";\n"
      << "inline constexpr unsigned kCountBits = " << kCountBits << ";\n"
      << "inline constexpr char32_t kStretchFirst[] = {";
  for (std::size_t i = 0; i < stretchFirst.size(); ++i)
    out << (i % 8 ? " " : "\n    ") << "0x" << std::hex << unsigned(stretchFirst[i]) << ",";
  out << "\n};\ninline constexpr std::uint16_t kStretchRuns[] = {";
  for (std::size_t i = 0; i < stretchRuns.size(); ++i)
    out << (i % 8 ? " " : "\n    ") << std::dec << stretchRuns[i] << ",";
  out << "\n};\ninline constexpr std::uint8_t kRuns[] = {";
  for (std::size_t i = 0; i < runs.size(); ++i)
    out << (i % 12 ? " " : "\n    ") << "0x" << std::hex << runs[i] << ",";
  out << "\n};\n\n}  // namespace vorlin::month_letter_table\n";
  out.close();
  if (!out) {
    std::fprintf(stderr, "write_month_letters: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

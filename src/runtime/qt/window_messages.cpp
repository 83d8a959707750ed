#include "runtime/qt/window_messages.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace vorlin::qt {
namespace {

struct Word {
  WindowMessageKind kind;
  std::string_view word;
  int numbers;
  int low;  // the range of both numbers
  int high;
};

// Positions reach past the largest screens either way; a control or an index is a form's own
// small number, or -1 for none.
constexpr int kFarthest = 1 << 20;
constexpr std::array<Word, 5> kWords{{
    {WindowMessageKind::Move, "move", 2, -kFarthest, kFarthest},
    {WindowMessageKind::Select, "select", 2, -1, INT16_MAX},
    {WindowMessageKind::Show, "show", 0, 0, 0},
    {WindowMessageKind::Click, "click", 2, -1, INT16_MAX},
    {WindowMessageKind::Close, "close", 0, 0, 0},
}};

const Word* wordOf(WindowMessageKind kind) {
  for (const Word& w : kWords) {
    if (w.kind == kind) return &w;
  }
  return nullptr;
}

// The next number of `text`, after one space; none if there is none in range.
std::optional<int> number(std::string_view& text, const Word& word) {
  if (text.size() < 2 || text.front() != ' ') return std::nullopt;
  text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value < word.low || value > word.high) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

}  // namespace

WindowRecord encode(const WindowMessage& message) {
  WindowRecord record;
  const Word* word = wordOf(message.kind);
  if (word == nullptr) return record;
  const int n = word->numbers == 0
                    ? std::snprintf(record.text.data(), record.text.size(), "%.*s",
                                    static_cast<int>(word->word.size()), word->word.data())
                    : std::snprintf(record.text.data(), record.text.size(), "%.*s %d %d",
                                    static_cast<int>(word->word.size()), word->word.data(),
                                    message.first, message.second);
  record.size = n > 0 ? std::min(static_cast<std::size_t>(n), record.text.size() - 1) : 0;
  return record;
}

std::optional<WindowMessage> decode(std::string_view record) {
  for (const Word& word : kWords) {
    if (record.substr(0, word.word.size()) != word.word) continue;
    std::string_view rest = record.substr(word.word.size());
    WindowMessage message{word.kind};
    if (word.numbers == 2) {
      const std::optional<int> first = number(rest, word);
      const std::optional<int> second = first ? number(rest, word) : std::nullopt;
      if (!second) return std::nullopt;
      message.first = *first;
      message.second = *second;
    }
    if (!rest.empty()) return std::nullopt;
    return message;
  }
  return std::nullopt;
}

}  // namespace vorlin::qt

// The error report: tells the user of a failure that ended an event's handling; the program goes
// on.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/status.h"

namespace vorlin {

class ErrorReport {
 public:
  virtual void reportError(const Status& failure) = 0;

 protected:
  ~ErrorReport() = default;
};

// The report's title and text, the same on every platform: "Run-time error '<code>':", an empty
// line, the message.
inline constexpr std::string_view kErrorReportTitle = "Vorlin";

class ErrorReportText {
 public:
  explicit ErrorReportText(const Status& failure) {
    append("Run-time error '");
    std::array<char, 12> digits{};
    std::size_t n = 0;
    const std::int64_t code = failure.code();
    std::uint64_t magnitude =
        code < 0 ? 0 - static_cast<std::uint64_t>(code) : static_cast<std::uint64_t>(code);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (code < 0) append("-");
    while (n > 0) append(std::string_view(&digits[--n], 1));
    append("':\n\n");
    append(failure.message());
  }

  std::string_view view() const { return {text_.data(), size_}; }

 private:
  void append(std::string_view part) {
    for (const char c : part) {
      if (size_ < text_.size()) text_[size_++] = c;
    }
  }

  std::array<char, 320> text_{};
  std::size_t size_ = 0;
};

}  // namespace vorlin

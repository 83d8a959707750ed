// A short piece of UTF-8 text in fixed storage: month names, tips, captions read back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorlin {

class ShortText {
 public:
  static constexpr std::size_t kCapacity = 63;

  constexpr ShortText() = default;
  // Keeps at most kCapacity bytes, never cutting a UTF-8 sequence in two.
  constexpr explicit ShortText(std::string_view text) {
    std::size_t n = text.size() < kCapacity ? text.size() : kCapacity;
    if (n < text.size()) {
      while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    for (std::size_t i = 0; i < n; ++i) bytes_[i] = text[i];
    size_ = static_cast<std::uint8_t>(n);
  }

  constexpr std::string_view view() const { return {bytes_.data(), size_}; }

 private:
  std::array<char, kCapacity + 1> bytes_{};
  std::uint8_t size_ = 0;
};

}  // namespace vorlin

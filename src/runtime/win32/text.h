// Text at the boundary with the platform's wide calls: UTF-8 in the program, UTF-16 outside.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "base/short_text.h"

namespace vorlin::win32 {

struct WideText {
  std::array<wchar_t, 320> text{};
  const wchar_t* c_str() const { return text.data(); }
};

inline WideText wide(std::string_view utf8) {
  WideText w;
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    w.text.data(), static_cast<int>(w.text.size() - 1));
  w.text[static_cast<unsigned>(n > 0 ? n : 0)] = L'\0';
  return w;
}

inline ShortText utf8(const wchar_t* text) {
  std::array<char, ShortText::kCapacity + 1> bytes{};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
  return ShortText(std::string_view(bytes.data(), n > 0 ? static_cast<std::size_t>(n - 1) : 0));
}

}  // namespace vorlin::win32

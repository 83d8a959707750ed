// What the program and a window drawn by a process of its own (own_process.h) tell each other:
// one message to a record of the socket between them, as text. To the window: "move 120 80" (its
// frame's top left, in pixels), "select 0 4" (an option, its control and index), "show". From the
// window: "click 0 4" (a button, its control and index), "close" (closed through its frame).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorlin::qt {

enum class WindowMessageKind : std::uint8_t { Move, Select, Show, Click, Close };

struct WindowMessage {
  WindowMessageKind kind;
  int first = 0;   // move: x; select and click: the control
  int second = 0;  // move: y; select and click: the index
};

// A message as the text of its record.
struct WindowRecord {
  std::array<char, 48> text{};
  std::size_t size = 0;
  std::string_view view() const { return {text.data(), size}; }
};

WindowRecord encode(const WindowMessage& message);

// The message a record holds; none where the record is not exactly one message, with numbers in
// their ranges: what comes from the other process is input to check.
std::optional<WindowMessage> decode(std::string_view record);

}  // namespace vorlin::qt

// The mouse messages with which a tray entry reports to its window: the entry's callback message
// is the mouse move, and the report carries which mouse message it stands for.
#pragma once

#include <cstdint>

namespace vorlin {

inline constexpr std::uint32_t kMouseMove = 0x200;
inline constexpr std::uint32_t kLeftButtonDown = 0x201;
inline constexpr std::uint32_t kLeftButtonDoubleClick = 0x203;
inline constexpr std::uint32_t kRightButtonDown = 0x204;
inline constexpr std::uint32_t kRightButtonUp = 0x205;
inline constexpr std::uint32_t kMiddleButtonDown = 0x207;
inline constexpr std::uint32_t kMiddleButtonUp = 0x208;

}  // namespace vorlin

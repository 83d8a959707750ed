// The local time read from the system at most once a second and carried on by a steady tick
// count in between, for platforms where each read of the local time is costly. A time carried
// into another day is read afresh instead, so the date still changes at midnight to the tick; a
// clock set forward or back, or a new time zone, shows within a second.
#pragma once

#include <cmath>
#include <cstdint>

namespace vorlin {

class CarriedTime {
 public:
  static constexpr std::uint32_t kReadInterval = 1000;  // milliseconds between reads

  // The time at `tick` (milliseconds, steady); `read` gives the system's local time afresh.
  template <class Read>
  double at(std::uint32_t tick, Read read) {
    const std::uint32_t since = tick - readTick_;
    if (read_ && since < kReadInterval) {
      const double carried = readTime_ + since / kMillisecondsPerDay;
      if (std::floor(carried) == std::floor(readTime_)) return carried;
    }
    readTime_ = read();
    readTick_ = tick;
    read_ = true;
    return readTime_;
  }

 private:
  static constexpr double kMillisecondsPerDay = 86400000.0;

  double readTime_ = 0;
  std::uint32_t readTick_ = 0;
  bool read_ = false;
};

}  // namespace vorlin

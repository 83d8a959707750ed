// The local clock follows the time zone while the program runs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "base/date.h"
#include "runtime/posix/clock.h"

namespace vorlin::test {
namespace {

// True once the clock reads the date of a zone `hours` east of UTC, within a few seconds.
bool followsZone(PosixClock& clock, const char* zone, int hours) {
  setenv("TZ", zone, 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::int64_t seconds = std::time(nullptr) + hours * 3600;
    const double want = static_cast<double>(seconds / 86400 + kSerialOfUnixEpoch);
    if (dateOnly(clock.now()) == want) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(LocalClock, FollowsANewTimeZone) {
  // 26 hours apart: the two zones never share a date.
  PosixClock clock;
  EXPECT_TRUE(followsZone(clock, "<+14>-14", 14));
  EXPECT_TRUE(followsZone(clock, "<-12>+12", -12));
  EXPECT_TRUE(followsZone(clock, "<+14>-14", 14));
  unsetenv("TZ");
}

}  // namespace
}  // namespace vorlin::test

// The time carried on by the tick count between reads of the system: read once a second, afresh
// across midnight, so the date changes on time and a clock set back shows within a second.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "base/carried_time.h"
#include "base/date.h"

namespace vorlin::test {
namespace {

constexpr double kSecond = 1.0 / 86400;

TEST(CarriedTime, ReadsOnceASecondAndAfreshWhenADayWouldBegin) {
  CarriedTime carried;
  double system = serialFromCivil(2026, 12, 31, 23, 59, 58);  // the system's local time
  int reads = 0;
  const auto read = [&] {
    ++reads;
    return system;
  };
  // Within a second: carried on by the ticks, with no read.
  EXPECT_DOUBLE_EQ(carried.at(5000, read), system);
  system += 0.5 * kSecond;
  EXPECT_NEAR(carried.at(5500, read), system, 1e-9);
  EXPECT_EQ(reads, 1);
  // A second on: read again.
  system += 0.5 * kSecond;
  EXPECT_DOUBLE_EQ(carried.at(6000, read), system);
  EXPECT_EQ(reads, 2);
  // The ticks run ahead of the system's clock: a time carried past midnight is read afresh, and
  // the date changes only when the system's does.
  system = serialFromCivil(2026, 12, 31, 23, 59, 59) + 0.995 * kSecond;
  EXPECT_EQ(dateOnly(carried.at(7000, read)), serialFromCivil(2026, 12, 31, 0, 0, 0));
  system += 0.003 * kSecond;
  EXPECT_EQ(dateOnly(carried.at(7010, read)), serialFromCivil(2026, 12, 31, 0, 0, 0));
  EXPECT_EQ(reads, 4);
  system += 0.005 * kSecond;
  EXPECT_EQ(dateOnly(carried.at(7020, read)), serialFromCivil(2027, 1, 1, 0, 0, 0));
  EXPECT_EQ(reads, 5);
  // The clock set back a day: the old date within a second.
  system -= 1;
  EXPECT_EQ(dateOnly(carried.at(7500, read)), serialFromCivil(2027, 1, 1, 0, 0, 0));
  EXPECT_EQ(dateOnly(carried.at(8020, read)), serialFromCivil(2026, 12, 31, 0, 0, 0));
  // The tick count wrapping round is a second on like any other.
  CarriedTime wrapping;
  EXPECT_DOUBLE_EQ(wrapping.at(0xFFFFFF00u, read), system);
  reads = 0;
  EXPECT_NEAR(wrapping.at(0x100u, read), system + 512 / 86400000.0, 1e-9);
  EXPECT_EQ(reads, 0);
}

// Every day from 1 January 1601, the first a Windows clock gives, to the end of 2400, counted on
// by the calendar's rules: its serial, and the date of any time of that day.
TEST(Dates, EveryDayOfEightCenturies) {
  constexpr std::array<unsigned, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const auto ymd = [](const CivilDate& c) { return std::tuple(c.year, c.month, c.day); };
  CivilDate day{1601, 1, 1};
  for (double serial = -109205; day.year <= 2400; ++serial) {
    ASSERT_EQ(serialFromCivil(day.year, day.month, day.day), serial);
    ASSERT_EQ(ymd(civilFromSerial(serial + 0.999)), ymd(day)) << serial;
    const bool leap = day.year % 4 == 0 && (day.year % 100 != 0 || day.year % 400 == 0);
    if (++day.day <= kLengths[day.month - 1] + (day.month == 2 && leap)) continue;
    day.day = 1;
    if (++day.month > 12) day = {day.year + 1, 1, 1};
  }
}

}  // namespace
}  // namespace vorlin::test

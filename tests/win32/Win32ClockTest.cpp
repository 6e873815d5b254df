// The DOS date-time conversions of the Win32 clock.
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t DosDate(int year, int month, int day) {
  return uint16_t(((year - 1980) << 9) | (month << 5) | day);
}

constexpr uint16_t DosTime(int hour, int minute, int second) {
  return uint16_t((hour << 11) | (minute << 5) | (second / 2));
}

platform::Clock& TheClock() {
  return *platform::Native().clock;
}

TEST(Win32Clock, DosDateTimeSurvivesTheRoundTripThroughUtc) {
  for (auto [date, time] : {std::pair{DosDate(2002, 3, 23), DosTime(13, 59, 22)},
                            std::pair{DosDate(1980, 1, 2), DosTime(0, 0, 0)},
                            std::pair{DosDate(2099, 12, 31), DosTime(23, 59, 58)},
                            std::pair{DosDate(2024, 7, 1), DosTime(12, 0, 0)}}) {
    platform::FileTime utc = 0;
    ASSERT_TRUE(TheClock().LocalDosToUtc(date, time, utc));
    uint16_t backDate = 0, backTime = 0;
    ASSERT_TRUE(TheClock().UtcToLocalDos(utc, backDate, backTime));
    EXPECT_EQ(backDate, date);
    EXPECT_EQ(backTime, time);
  }
}

TEST(Win32Clock, SecondsMoveInTwoSecondSteps) {
  platform::FileTime even = 0;
  ASSERT_TRUE(TheClock().LocalDosToUtc(DosDate(2010, 5, 6), DosTime(10, 15, 30), even));
  uint16_t date = 0, time = 0;
  // 10:15:31.7 is written back as 10:15:30.
  ASSERT_TRUE(TheClock().UtcToLocalDos(even + 17'000'000, date, time));
  EXPECT_EQ(time, DosTime(10, 15, 30));
}

TEST(Win32Clock, TimesADosDateCannotHoldFail) {
  uint16_t date = 0, time = 0;
  // 1 January 1979, 12:00 UTC: before the DOS epoch in every time zone.
  const platform::FileTime y1979 = 119'285'136'000'000'000ull;
  EXPECT_FALSE(TheClock().UtcToLocalDos(y1979, date, time));
}

} // namespace

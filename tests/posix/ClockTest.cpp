// The emulated clock: DOS date-times to file times and back, in the host's
// time zone, with the field checks Windows makes.
#include "support/TestMachine.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

platform::Clock& Clk() {
  return *platform::Current().clock;
}

uint16_t DosDate(int year, int month, int day) {
  return uint16_t((year - 1980) << 9 | month << 5 | day);
}

uint16_t DosTime(int hour, int minute, int second) {
  return uint16_t(hour << 11 | minute << 5 | second / 2);
}

// Puts a time zone in force for the scope.
class ScopedTimeZone {
public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ"))
      previous_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (previous_)
      setenv("TZ", previous_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

private:
  std::optional<std::string> previous_;
};

class ClockTest : public ::testing::Test {
protected:
  TestMachine machine;
};

TEST_F(ClockTest, UtcDosDatesMatchKnownFileTimes) {
  ScopedTimeZone utc("UTC0");
  platform::FileTime time = 0;
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(1980, 1, 1), DosTime(0, 0, 0), time));
  EXPECT_EQ(time, 119600064000000000ULL);
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2002, 3, 23), DosTime(13, 59, 22), time));
  EXPECT_EQ(time, 126613655620000000ULL);
}

TEST_F(ClockTest, TheCurrentOffsetIsAppliedBothWays) {
  ScopedTimeZone fixed("XYZ-3"); // three hours ahead of UTC, no daylight saving
  platform::FileTime time = 0;
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2002, 3, 23), DosTime(13, 59, 22), time));
  EXPECT_EQ(time, 126613655620000000ULL - 3ULL * 3600 * 10000000);
  uint16_t date = 0, dosTime = 0;
  ASSERT_TRUE(Clk().UtcToLocalDos(time, date, dosTime));
  EXPECT_EQ(date, DosDate(2002, 3, 23));
  EXPECT_EQ(dosTime, DosTime(13, 59, 22));
}

// The clock reads the zone again only when TZ changes; a change made with
// setenv alone, without tzset, must still be seen at the next conversion.
TEST_F(ClockTest, AZoneChangedAtRunTimeTakesEffect) {
  ScopedTimeZone utc("UTC0");
  platform::FileTime inUtc = 0, ahead = 0, back = 0;
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2002, 3, 23), DosTime(13, 59, 22), inUtc));
  setenv("TZ", "XYZ-3", 1);
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2002, 3, 23), DosTime(13, 59, 22), ahead));
  setenv("TZ", "UTC0", 1);
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2002, 3, 23), DosTime(13, 59, 22), back));
  EXPECT_EQ(inUtc - ahead, 3ULL * 3600 * 10000000);
  EXPECT_EQ(back, inUtc);
}

TEST_F(ClockTest, RoundTripsEveryEvenSecondAcrossTheRange) {
  ScopedTimeZone paris("Europe/Paris");
  const struct {
    int y, mo, d, h, mi, s;
  } cases[] = {{1980, 1, 1, 0, 0, 0},   {1999, 12, 31, 23, 59, 58}, {2000, 2, 29, 12, 0, 0},
               {2024, 3, 31, 2, 30, 0}, {2024, 10, 27, 2, 30, 0},   {2099, 12, 31, 23, 59, 58},
               {2107, 12, 31, 20, 0, 0}};
  for (const auto& c : cases) {
    platform::FileTime time = 0;
    ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(c.y, c.mo, c.d), DosTime(c.h, c.mi, c.s), time))
        << c.y << "-" << c.mo << "-" << c.d;
    uint16_t date = 0, dosTime = 0;
    ASSERT_TRUE(Clk().UtcToLocalDos(time, date, dosTime));
    EXPECT_EQ(date, DosDate(c.y, c.mo, c.d));
    EXPECT_EQ(dosTime, DosTime(c.h, c.mi, c.s));
  }
}

TEST_F(ClockTest, OddSecondsAndFractionsAreCutToTheEvenSecondBelow) {
  ScopedTimeZone utc("UTC0");
  platform::FileTime time = 0;
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2010, 5, 6), DosTime(10, 15, 30), time));
  uint16_t date = 0, dosTime = 0;
  ASSERT_TRUE(Clk().UtcToLocalDos(time + 17'000'000, date, dosTime)); // 31.7 s
  EXPECT_EQ(dosTime, DosTime(10, 15, 30));
}

TEST_F(ClockTest, InvalidFieldsAreRefused) {
  platform::FileTime time = 0;
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 0, 1), 0, time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 13, 1), 0, time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 1, 0), 0, time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 2, 29), 0, time));
  EXPECT_TRUE(Clk().LocalDosToUtc(DosDate(2004, 2, 29), 0, time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 4, 31), 0, time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 1, 1), DosTime(24, 0, 0), time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 1, 1), DosTime(0, 60, 0), time));
  EXPECT_FALSE(Clk().LocalDosToUtc(DosDate(2001, 1, 1), uint16_t(30), time)); // 60 seconds
}

TEST_F(ClockTest, FileTimesOutsideTheDosYearsAreRefused) {
  ScopedTimeZone utc("UTC0");
  uint16_t date = 0, time = 0;
  EXPECT_FALSE(Clk().UtcToLocalDos(119600064000000000ULL - 10000000, date, time)); // 1979
  EXPECT_FALSE(Clk().UtcToLocalDos(0, date, time));
  EXPECT_FALSE(Clk().UtcToLocalDos(~0ULL, date, time));
  platform::FileTime last = 0;
  ASSERT_TRUE(Clk().LocalDosToUtc(DosDate(2107, 12, 31), DosTime(23, 59, 58), last));
  EXPECT_TRUE(Clk().UtcToLocalDos(last, date, time));
  EXPECT_FALSE(Clk().UtcToLocalDos(last + 20000000, date, time)); // 2108
}

TEST_F(ClockTest, NowIsTheLocalTime) {
  ScopedTimeZone fixed("XYZ-3");
  const time_t before = time(nullptr);
  const platform::LocalTime now = Clk().Now();
  tm expected{};
  const time_t shifted = before + 3 * 3600;
  gmtime_r(&shifted, &expected);
  EXPECT_EQ(now.year, expected.tm_year + 1900);
  EXPECT_EQ(now.month, expected.tm_mon + 1);
  EXPECT_EQ(now.day, expected.tm_mday);
  EXPECT_EQ(now.hour, expected.tm_hour);
  EXPECT_GE(now.milliseconds, 0);
  EXPECT_LT(now.milliseconds, 1000);
}

} // namespace

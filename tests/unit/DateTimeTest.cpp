// The shared date-time: its encoding against the archive's stored bytes,
// exact round trips through the DOS form, the 1980-2099 range and the
// millisecond rounding before the 2-second cut.
#include "instutils/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

struct Parts {
  int year, month, day, hour, minute, second, ms;
  bool operator==(const Parts&) const = default;
};

Parts Decode(double value) {
  Parts p;
  DecodeDateTime(value, p.year, p.month, p.day, p.hour, p.minute, p.second, p.ms);
  return p;
}

std::ostream& operator<<(std::ostream& os, const Parts& p) {
  return os << p.year << '-' << p.month << '-' << p.day << ' ' << p.hour << ':' << p.minute << ':'
            << p.second << '.' << p.ms;
}

double Dos(double value) {
  DosDateTime dos{};
  EXPECT_TRUE(DateTimeToDos(value, dos));
  return DosToDateTime(dos);
}

} // namespace

TEST(EncodeDateTime, GivesTheBitsTheArchiveStores) {
  // The date of "userdicen.tlx": 23 March 2002, 13:59:22.
  const unsigned char stored[8] = {0xE3, 0x4E, 0x10, 0xA7, 0x52, 0x3B, 0xE2, 0x40};
  double expected;
  std::memcpy(&expected, stored, sizeof expected);
  EXPECT_EQ(EncodeDateTime(2002, 3, 23, 13, 59, 22, 0), expected);
}

TEST(EncodeDateTime, CountsDaysFromThirtiethDecember1899) {
  EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_EQ(EncodeDateTime(1900, 1, 1, 0, 0, 0, 0), 2.0);
  EXPECT_EQ(EncodeDateTime(2000, 1, 1, 0, 0, 0, 0), 36526.0);
  EXPECT_EQ(EncodeDateTime(2000, 3, 1, 12, 0, 0, 0), 36586.5);
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DecodeDateTime, ReturnsTheEncodedParts) {
  const Parts samples[] = {
      {2002, 3, 23, 13, 59, 22, 0},  {2000, 2, 29, 23, 59, 59, 999}, {1980, 1, 1, 0, 0, 0, 0},
      {2099, 12, 31, 23, 59, 58, 0}, {1899, 12, 29, 6, 0, 0, 0},     {2400, 2, 29, 12, 30, 0, 1},
  };
  for (const Parts& p : samples) {
    double v = EncodeDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second, p.ms);
    EXPECT_EQ(Decode(v), p);
  }
}

TEST(DecodeDateTime, CarriesATimeThatRoundsToMidnightIntoTheNextDay) {
  double justBefore = EncodeDateTime(2001, 12, 31, 0, 0, 0, 0) + (1.0 - 1e-10);
  EXPECT_EQ(Decode(justBefore), (Parts{2002, 1, 1, 0, 0, 0, 0}));
}

TEST(DecodeDateTime, TreatsValuesThatAreNotDatesAsTheEpoch) {
  EXPECT_EQ(Decode(NAN), (Parts{1899, 12, 30, 0, 0, 0, 0}));
  EXPECT_EQ(Decode(1e300), (Parts{1899, 12, 30, 0, 0, 0, 0}));
}

TEST(DosDateTime, RoundTripsEveryEvenSecondOfADayExactly) {
  for (int s = 0; s < 86400; s += 2) {
    double v = EncodeDateTime(2002, 3, 23, s / 3600, s / 60 % 60, s % 60, 0);
    ASSERT_EQ(Dos(v), v) << s;
  }
}

TEST(DosDateTime, RoundTripsTheFirstAndLastSecondsOfEveryYearExactly) {
  for (int year = 1980; year <= 2099; ++year) {
    double first = EncodeDateTime(year, 1, 1, 0, 0, 0, 0);
    double last = EncodeDateTime(year, 12, 31, 23, 59, 58, 0);
    ASSERT_EQ(Dos(first), first) << year;
    ASSERT_EQ(Dos(last), last) << year;
  }
}

TEST(DosDateTime, PacksFieldsAsDos) {
  DosDateTime dos{};
  ASSERT_TRUE(DateTimeToDos(EncodeDateTime(1980, 1, 1, 0, 0, 0, 0), dos));
  EXPECT_EQ(dos.date, 0x0021);
  EXPECT_EQ(dos.time, 0x0000);
  ASSERT_TRUE(DateTimeToDos(EncodeDateTime(2002, 3, 23, 13, 59, 22, 0), dos));
  EXPECT_EQ(dos.date, (22 << 9) | (3 << 5) | 23);
  EXPECT_EQ(dos.time, (13 << 11) | (59 << 5) | 11);
}

TEST(DosDateTime, CutsToTwoSecondStepsAfterRoundingToTheMillisecond) {
  EXPECT_EQ(Dos(EncodeDateTime(2010, 5, 6, 10, 15, 31, 700)),
            EncodeDateTime(2010, 5, 6, 10, 15, 30, 0));
  // A hair below 10:15:32, as arithmetic on the double may leave it.
  double almost = EncodeDateTime(2010, 5, 6, 10, 15, 32, 0) - 1e-10;
  EXPECT_EQ(Dos(almost), EncodeDateTime(2010, 5, 6, 10, 15, 32, 0));
}

TEST(DosDateTime, RefusesYearsOutside1980To2099) {
  DosDateTime dos{};
  EXPECT_FALSE(DateTimeToDos(EncodeDateTime(1979, 12, 31, 23, 59, 58, 0), dos));
  EXPECT_FALSE(DateTimeToDos(EncodeDateTime(2100, 1, 1, 0, 0, 0, 0), dos));
  EXPECT_FALSE(DateTimeToDos(-5.5, dos));
  EXPECT_FALSE(DateTimeToDos(NAN, dos));
}

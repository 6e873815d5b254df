// The shared date-time (days since 30 December 1899, the fraction being the
// local time of day) and its DOS form. Whole milliseconds survive a round
// trip exactly, so a date stored in the archive compares equal with the date
// read back from the file it was given to.
#include "instutils/DateTime.h"

#include "platform/Platform.h"

#include <cmath>

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2099;
// Far beyond any real date; keeps every conversion inside 64-bit integers.
constexpr double kMaxDays = 1e9;

// Days from 1 March of year 0 (proleptic Gregorian) to the given date.
constexpr int64_t CivilDays(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

// constexpr so that conversions made from other files' static initialisers are right.
constexpr int64_t kEpochDays = CivilDays(1899, 12, 30);

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  int64_t dayOfEra = days - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

// Before the epoch the fraction still counts forward in time from midnight,
// so it is subtracted from the negative day number.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int milliseconds) {
  double days = static_cast<double>(CivilDays(year, month, day) - kEpochDays);
  int64_t ms =
      int64_t(hour) * 3600000 + int64_t(minute) * 60000 + int64_t(second) * 1000 + milliseconds;
  double time = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
  return days < 0 ? days - time : days + time;
}

// The time of day is rounded to the nearest millisecond; a value that rounds
// up to midnight belongs to the next day.
void DecodeDateTime(double value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& milliseconds) {
  if (!std::isfinite(value) || std::fabs(value) > kMaxDays)
    value = 0;
  double whole = std::trunc(value);
  int64_t days = static_cast<int64_t>(whole);
  int64_t ms = std::llround(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) {
    days += value < 0 ? -1 : 1;
    ms -= kMsPerDay;
  }
  CivilFromDays(days + kEpochDays, year, month, day);
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  milliseconds = static_cast<int>(ms % 1000);
}

bool DateTimeToDos(double value, DosDateTime& out) {
  int year, month, day, hour, minute, second, ms;
  DecodeDateTime(value, year, month, day, hour, minute, second, ms);
  if (year < kFirstDosYear || year > kLastDosYear)
    return false;
  out.date = static_cast<uint16_t>(((year - kFirstDosYear) << 9) | (month << 5) | day);
  out.time = static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
  return true;
}

double DosToDateTime(DosDateTime dos) {
  int year = kFirstDosYear + (dos.date >> 9);
  int month = (dos.date >> 5) & 0x0F;
  int day = dos.date & 0x1F;
  int hour = dos.time >> 11;
  int minute = (dos.time >> 5) & 0x3F;
  int second = 2 * (dos.time & 0x1F);
  return EncodeDateTime(year, month, day, hour, minute, second, 0);
}

double NowDateTime() {
  platform::LocalTime now = platform::Current().clock->Now();
  return EncodeDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second,
                        now.milliseconds);
}

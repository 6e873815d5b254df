// The clock and the DOS date-time conversions, in the host's time zone (TZ).
// Like LocalFileTimeToFileTime and FileTimeToLocalFileTime, the conversions
// between local and UTC apply the offset in force now, not the one of the
// date converted, so a round trip always gives back the same DOS time.
#include "platform/Clock.h"
#include "platform/posix/Services.h"

#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>

namespace platform::posix {
namespace {

constexpr long long kTicksPerSecond = 10'000'000;
constexpr long long kSecondsFrom1601To1970 = 11'644'473'600LL;

// Days from 1 January 1970 to a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int((long long)yoe + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// tzset looks at the zone files again on every call (a stat of /etc/localtime
// at least), which every installed file's date would pay for; it is called
// only when TZ has changed since the last call, so that a zone set at run time
// still takes effect.
void RefreshTimeZone() {
  static std::mutex mutex;
  static std::optional<std::string> applied;
  const char* tz = std::getenv("TZ");
  std::string current;
  if (tz) // "=" tells an empty TZ from an unset one
    current.append("=").append(tz);
  std::lock_guard lock(mutex);
  if (applied == current)
    return;
  tzset();
  applied = current;
}

// Seconds the local time is ahead of UTC now.
long long CurrentOffsetSeconds() {
  RefreshTimeZone();
  const time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  return local.tm_gmtoff;
}

class HostClock final : public Clock {
public:
  LocalTime Now() override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    RefreshTimeZone();
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return LocalTime{local.tm_year + 1900,
                     local.tm_mon + 1,
                     local.tm_mday,
                     local.tm_hour,
                     local.tm_min,
                     local.tm_sec,
                     int(now.tv_nsec / 1'000'000)};
  }

  bool LocalDosToUtc(uint16_t dosDate, uint16_t dosTime, FileTime& utc) override {
    const int year = 1980 + (dosDate >> 9), month = (dosDate >> 5) & 15, day = dosDate & 31;
    const int hour = dosTime >> 11, minute = (dosTime >> 5) & 63, second = (dosTime & 31) * 2;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
      return false;
    const long long localSeconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 +
                                   minute * 60 + second + kSecondsFrom1601To1970;
    const long long utcSeconds = localSeconds - CurrentOffsetSeconds();
    if (utcSeconds < 0)
      return false;
    utc = FileTime(utcSeconds) * kTicksPerSecond;
    return true;
  }

  bool UtcToLocalDos(FileTime utc, uint16_t& dosDate, uint16_t& dosTime) override {
    if (utc / kTicksPerSecond > FileTime(1) << 40)
      return false;
    const long long local =
        (long long)(utc / kTicksPerSecond) + CurrentOffsetSeconds() - kSecondsFrom1601To1970;
    long long days = local / 86400, secondOfDay = local % 86400;
    if (secondOfDay < 0) {
      secondOfDay += 86400;
      --days;
    }
    int year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    if (year < 1980 || year > 2107)
      return false;
    dosDate = uint16_t(((year - 1980) << 9) | (month << 5) | day);
    dosTime = uint16_t((secondOfDay / 3600) << 11 | (secondOfDay / 60 % 60) << 5 |
                       (secondOfDay % 60) / 2);
    return true;
  }
};

} // namespace

std::unique_ptr<Clock> NewClock() {
  return std::make_unique<HostClock>();
}

} // namespace platform::posix

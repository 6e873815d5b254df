// The local clock and the DOS date-time conversions of kernel32.
#include "platform/Clock.h"

#include "platform/win32/FileTimes.h"
#include "platform/win32/Services.h"

namespace platform::win32 {
namespace {

class Win32Clock : public Clock {
public:
  LocalTime Now() override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                     st.wMinute, st.wSecond, st.wMilliseconds};
  }

  bool LocalDosToUtc(uint16_t dosDate, uint16_t dosTime, FileTime& utc) override {
    FILETIME local, universal;
    if (!DosDateTimeToFileTime(dosDate, dosTime, &local))
      return false;
    if (!LocalFileTimeToFileTime(&local, &universal))
      return false;
    utc = FromFiletime(universal);
    return true;
  }

  bool UtcToLocalDos(FileTime utc, uint16_t& dosDate, uint16_t& dosTime) override {
    const FILETIME universal = ToFiletime(utc);
    FILETIME local;
    if (!FileTimeToLocalFileTime(&universal, &local))
      return false;
    WORD date, time;
    if (!FileTimeToDosDateTime(&local, &date, &time))
      return false;
    dosDate = date;
    dosTime = time;
    return true;
  }
};

} // namespace

Clock& ClockService() {
  static Win32Clock clock;
  return clock;
}

} // namespace platform::win32

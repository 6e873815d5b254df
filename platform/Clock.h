// The clock and the conversions between local DOS date-times and file times.
#pragma once

#include "platform/FileTime.h"

#include <cstdint>

namespace platform {

struct LocalTime {
  int year, month, day;
  int hour, minute, second, milliseconds;
};

class Clock {
public:
  virtual ~Clock() = default;

  // GetLocalTime.
  virtual LocalTime Now() = 0;
  // DosDateTimeToFileTime, then LocalFileTimeToFileTime; false when either fails.
  virtual bool LocalDosToUtc(uint16_t dosDate, uint16_t dosTime, FileTime& utc) = 0;
  // FileTimeToLocalFileTime, then FileTimeToDosDateTime; false when either fails.
  virtual bool UtcToLocalDos(FileTime utc, uint16_t& dosDate, uint16_t& dosTime) = 0;
};

} // namespace platform

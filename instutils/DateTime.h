// The shared date-time: days since 30 December 1899 as a double, the fraction
// being the local time of day; and its DOS date-time form.
#pragma once

#include <cstdint>

struct DosDateTime {
  uint16_t date;
  uint16_t time;
};

// Exact for whole milliseconds: days + (h*3600000 + m*60000 + s*1000 + ms) / 86400000.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int milliseconds);
// Rounds the time of day to the nearest millisecond. Values that are not
// finite or lie beyond a billion days decode as 30 December 1899, 00:00.
void DecodeDateTime(double value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& milliseconds);
// The DOS form of a date-time: rounded to the millisecond, then cut to
// 2-second steps; false outside the years 1980..2099.
bool DateTimeToDos(double value, DosDateTime& out);
double DosToDateTime(DosDateTime dos);
// The current local date-time.
double NowDateTime();

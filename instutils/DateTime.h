// The shared date-time: days since 30 December 1899 as a double, the fraction
// being the local time of day; and its DOS date-time form.
#pragma once

#include <cstdint>

struct DosDateTime {
  uint16_t date;
  uint16_t time;
};

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int milliseconds);
void DecodeDateTime(double value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& milliseconds);
// The DOS form of a date-time, at 2-second steps; false outside 1980..2099.
bool DateTimeToDos(double value, DosDateTime& out);
double DosToDateTime(DosDateTime dos);
// The current local date-time.
double NowDateTime();

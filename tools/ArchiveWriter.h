// Writing the attached archive: the records of the inflated image, the day
// count of a date, and the zlib stream at maximum compression.
#pragma once

#include <string>

struct CivilDateTime {
  int year, month, day;
  int hour, minute, second;
};

// Days since 30 December 1899 with the time of day as the fraction, computed
// exactly as the installer reads a file's date back, so the two compare
// equal. False (with why) for odd seconds, an invalid date, or a year outside
// 1980-2099, which file dates cannot hold.
bool EncodeArchiveDate(const CivilDateTime& when, double& days, std::string& error);

// Appends one record (length, name, date, size, data); false (with why) when
// the name is empty, unsafe or longer than 255 bytes, or the image would
// exceed the signed 32-bit range.
bool AppendRecord(std::string& image, const std::string& name, double date, const std::string& data,
                  std::string& error);

// The image as one zlib stream at level 9: header bytes 0x78 0xDA, deflate
// data and the Adler-32 checksum. False when zlib fails.
bool CompressImage(const std::string& image, std::string& compressed);

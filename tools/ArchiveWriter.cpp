// The archive's record encoding and compression.
#include "tools/ArchiveWriter.h"

#include "engine/ArchiveReader.h"

#include <zlib.h>

#include <bit>
#include <climits>
#include <cstdint>

namespace {

// Days from 1 January 1970 to a proleptic Gregorian date (Howard Hinnant's
// days_from_civil).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

bool IsValid(const CivilDateTime& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
         t.second <= 59;
}

void AppendLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

bool EncodeArchiveDate(const CivilDateTime& when, double& days, std::string& error) {
  if (when.year < 1980 || when.year > 2099) {
    error = "year outside 1980-2099";
    return false;
  }
  if (!IsValid(when)) {
    error = "invalid date or time";
    return false;
  }
  if (when.second % 2 != 0) {
    error = "odd seconds (file dates keep 2-second steps)";
    return false;
  }
  const int64_t whole =
      DaysFromCivil(when.year, when.month, when.day) - DaysFromCivil(1899, 12, 30);
  const int64_t ms = when.hour * 3600000LL + when.minute * 60000LL + when.second * 1000LL;
  days = double(whole) + double(ms) / 86400000.0;
  return true;
}

bool AppendRecord(std::string& image, const std::string& name, double date, const std::string& data,
                  std::string& error) {
  if (name.empty() || name.size() > 255) {
    error = "name empty or longer than 255 bytes";
    return false;
  }
  if (!IsSafeEntryName(name)) {
    error = "name could leave its destination folder";
    return false;
  }
  if (uint64_t(image.size()) + 13 + name.size() + data.size() > uint64_t(INT32_MAX)) {
    error = "archive larger than 2 GiB";
    return false;
  }
  image += static_cast<char>(name.size());
  image += name;
  const uint64_t bits = std::bit_cast<uint64_t>(date);
  AppendLe32(image, static_cast<uint32_t>(bits));
  AppendLe32(image, static_cast<uint32_t>(bits >> 32));
  AppendLe32(image, static_cast<uint32_t>(data.size()));
  image += data;
  return true;
}

bool CompressImage(const std::string& image, std::string& compressed) {
  uLongf length = compressBound(static_cast<uLong>(image.size()));
  compressed.resize(length);
  const int rc = compress2(reinterpret_cast<Bytef*>(compressed.data()), &length,
                           reinterpret_cast<const Bytef*>(image.data()),
                           static_cast<uLong>(image.size()), Z_BEST_COMPRESSION);
  if (rc != Z_OK)
    return false;
  compressed.resize(length);
  return true;
}

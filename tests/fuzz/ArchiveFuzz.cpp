// Fuzzes the archive reader: any bytes as a compressed archive, and the same
// bytes as an already inflated image. Whatever the input, the reader must
// stay inside its buffers, and every entry it accepts must lie inside the
// image and carry a safe name.
#include "engine/ArchiveReader.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void CheckRecords(const std::vector<ArchiveRecord>& records, int32_t size) {
  int64_t end = 0;
  for (const ArchiveRecord& record : records) {
    const int64_t first = int64_t(record.offset);
    const int64_t last = first + record.size;
    if (record.size < 0 || first < end + 13 || last > size || !IsSafeEntryName(record.name))
      std::abort();
    end = last;
  }
  if (end != size)
    std::abort();
}

void IndexAndCheck(const uint8_t* image, int32_t size) {
  std::vector<ArchiveRecord> records;
  const ArchiveError error = IndexArchive(image, size, records);
  if (error != ArchiveError::None && !records.empty())
    std::abort();
  if (error == ArchiveError::None)
    CheckRecords(records, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InflatedImage image;
  if (InflateArchive(data, size, image) == ArchiveError::None)
    IndexAndCheck(image.data.get(), image.size);
  else if (image.data || image.size != 0)
    std::abort();

  // The same bytes taken as an inflated image.
  if (size <= INT32_MAX)
    IndexAndCheck(data, static_cast<int32_t>(size));
  return 0;
}

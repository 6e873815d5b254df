// The packer's and lister's work, apart from the command line.
#include "tools/ArchivePack.h"

#include "engine/ArchiveReader.h"

#include <cstdio>

bool PackArchive(const std::vector<ManifestEntry>& entries, const ReadPayloadFile& read,
                 std::string& compressed, std::string& error) {
  std::string image;
  for (const ManifestEntry& entry : entries) {
    std::string data;
    if (!read(entry.path, data)) {
      error = entry.path + ": cannot read the payload file";
      return false;
    }
    std::string why;
    if (!AppendRecord(image, entry.name, entry.date, data, why)) {
      error = entry.path + ": " + why;
      return false;
    }
  }
  if (!CompressImage(image, compressed)) {
    error = "zlib could not compress the archive";
    return false;
  }
  return true;
}

bool ListArchive(const uint8_t* data, size_t size, std::string& listing, std::string& error) {
  InflatedImage image;
  std::vector<ArchiveRecord> records;
  ArchiveError status = InflateArchive(data, size, image);
  if (status == ArchiveError::None)
    status = IndexArchive(image.data.get(), image.size, records);
  if (status != ArchiveError::None) {
    error = DescribeArchiveError(status);
    return false;
  }
  listing.clear();
  char fields[96];
  for (const ArchiveRecord& record : records) {
    std::snprintf(fields, sizeof fields, "%d\t%d\t%.17g\t", record.offset, record.size,
                  record.date);
    listing += fields + record.name + "\n";
  }
  listing +=
      std::to_string(records.size()) + " entries, " + std::to_string(image.size) + " bytes\n";
  return true;
}

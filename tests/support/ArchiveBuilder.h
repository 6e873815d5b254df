// Builds archive images and their zlib streams in memory for tests, including
// malformed ones (wrong sizes, raw bytes, truncated or corrupted streams).
#pragma once

#include "engine/AttachFiles.h"

#include <cstdint>
#include <memory>
#include <string>

// 2002-03-23 13:59:22, the date of the format's own example record.
constexpr double kSampleDate = 37338.58289351852;

class ArchiveBuilder {
public:
  // One well-formed record.
  ArchiveBuilder& Add(const std::string& name, const std::string& data = "",
                      double date = kSampleDate);
  // A record whose size field says declaredSize whatever data follows it.
  ArchiveBuilder& AddDeclared(const std::string& name, int32_t declaredSize,
                              const std::string& data, double date = kSampleDate);
  // Bytes appended as they are.
  ArchiveBuilder& AddRaw(const std::string& bytes);

  const std::string& Image() const { return image_; }
  // The image as a zlib stream (header 0x78 0xDA at level 9).
  std::string Compressed(int level = 9) const;
  // The catalogue of the compressed image; null when it does not load.
  std::unique_ptr<TAttachedFiles> Catalogue(int level = 9) const;

private:
  std::string image_;
};

// A zlib stream of any bytes.
std::string Deflate(const std::string& bytes, int level = 9);

// Deterministic bytes carrying `bits` bits of noise each (1 to 8): 8 makes
// them incompressible, 2 lets deflate shrink them about 4 to 1, within the
// reader's first 5-fold block.
std::string NoiseBytes(size_t size, int bits = 8);

inline const uint8_t* Bytes(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

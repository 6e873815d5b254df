// In-memory archive images for the tests, written independently of the
// packer so that the reader is checked against a second encoder.
#include "support/ArchiveBuilder.h"

#include <zlib.h>

#include <cstring>

namespace {

void AppendLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

ArchiveBuilder& ArchiveBuilder::Add(const std::string& name, const std::string& data, double date) {
  return AddDeclared(name, static_cast<int32_t>(data.size()), data, date);
}

ArchiveBuilder& ArchiveBuilder::AddDeclared(const std::string& name, int32_t declaredSize,
                                            const std::string& data, double date) {
  image_ += static_cast<char>(name.size());
  image_ += name;
  char dateBytes[8];
  std::memcpy(dateBytes, &date, 8); // the test hosts are little-endian, like the format
  image_.append(dateBytes, 8);
  AppendLe32(image_, static_cast<uint32_t>(declaredSize));
  image_ += data;
  return *this;
}

ArchiveBuilder& ArchiveBuilder::AddRaw(const std::string& bytes) {
  image_ += bytes;
  return *this;
}

std::string ArchiveBuilder::Compressed(int level) const {
  return Deflate(image_, level);
}

std::unique_ptr<TAttachedFiles> ArchiveBuilder::Catalogue(int level) const {
  const std::string stream = Compressed(level);
  ArchiveError error = ArchiveError::None;
  return TAttachedFiles::FromCompressed(Bytes(stream), stream.size(), error);
}

std::string Deflate(const std::string& bytes, int level) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, Bytes(bytes),
            static_cast<uLong>(bytes.size()), level);
  out.resize(size);
  return out;
}

std::string NoiseBytes(size_t size, int bits) {
  std::string out(size, '\0');
  const uint32_t mask = (1u << bits) - 1;
  uint32_t x = 2463534242u;
  for (char& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x & mask);
  }
  return out;
}

// Inflate and record walk of the floor programs: what any installer must do
// with the archive, and no more.
#include "bench/FloorImage.h"

#include "platform/Memory.h"

#include <zlib.h>

#include <cstdlib>

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

uint8_t* InflateToBlock(std::string_view in, size_t& size) {
  size = 0;
  size_t capacity = in.size() * 4 + 4096;
  // The engine's own large-block placement and hint, so that both pay the
  // same for their memory.
  auto* out = static_cast<uint8_t*>(platform::AllocateLargeBlock(capacity));
  z_stream zs{};
  if (!out || inflateInit(&zs) != Z_OK)
    return out;
  platform::AdviseLargeBlock(out, capacity);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs.avail_in = uInt(in.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (zs.total_out == capacity) {
      capacity *= 2;
      auto* grown = static_cast<uint8_t*>(std::realloc(out, capacity));
      if (!grown)
        break;
      out = grown;
      platform::AdviseLargeBlock(out, capacity);
    }
    zs.next_out = out + zs.total_out;
    zs.avail_out = uInt(capacity - zs.total_out);
    rc = inflate(&zs, Z_NO_FLUSH);
  }
  size = rc == Z_STREAM_END ? zs.total_out : 0;
  inflateEnd(&zs);
  return out;
}

bool ForEachEntry(const uint8_t* image, size_t size, const EntryWriter& write) {
  size_t p = 0;
  while (p < size) {
    const size_t nameLength = image[p];
    const size_t data = p + 13 + nameLength;
    if (data > size || Le32(image + data - 4) > size - data)
      return false;
    const std::string_view name(reinterpret_cast<const char*>(image + p + 1), nameLength);
    const size_t length = Le32(image + data - 4);
    if (!write(name, image + data, length))
      return false;
    p = data + length;
  }
  return true;
}

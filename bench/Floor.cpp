// bench_floor: the least any installer must do with the attached archive —
// inflate the zlib stream into memory, then write every entry's bytes to its
// file under OUTDIR, creating folders on the way. No dates, no log, no
// checks beyond what keeps the walk inside the image.
//
//   bench_floor ARCHIVE OUTDIR
#include "bench/MappedFile.h"
#include "platform/Memory.h"
#include "tools/Cp1252.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace {

// The inflated image in one block that doubles as needed; size 0 on failure.
uint8_t* Inflate(std::string_view in, size_t& size) {
  size_t capacity = in.size() * 4 + 4096;
  // The engine's own large-block placement and hint, so that both pay the
  // same for their memory.
  auto* out = static_cast<uint8_t*>(platform::AllocateLargeBlock(capacity));
  z_stream zs{};
  if (!out || inflateInit(&zs) != Z_OK)
    return nullptr;
  platform::AdviseLargeBlock(out, capacity);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs.avail_in = uInt(in.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (zs.total_out == capacity) {
      capacity *= 2;
      out = static_cast<uint8_t*>(std::realloc(out, capacity));
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

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// mkdir of every parent folder of path not made yet.
void MakeParents(const std::string& path, std::unordered_set<std::string>& made) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (made.insert(folder).second)
      mkdir(folder.c_str(), 0777);
  }
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  const bool ok = write(fd, data, size) == ssize_t(size);
  return close(fd) == 0 && ok;
}

// Writes every record of the image; false on a damaged record or a failed write.
bool WriteEntries(const uint8_t* image, size_t size, const std::string& outDir) {
  std::unordered_set<std::string> made;
  size_t p = 0;
  while (p < size) {
    const size_t nameLength = image[p];
    const size_t data = p + 13 + nameLength;
    if (data > size || Le32(image + data - 4) > size - data)
      return false;
    std::string name =
        Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(image + p + 1), nameLength));
    for (char& c : name)
      c = c == '\\' ? '/' : c;
    const std::string path = outDir + "/" + name;
    MakeParents(path, made);
    if (!WriteFile(path, image + data, Le32(image + data - 4)))
      return false;
    p = data + Le32(image + data - 4);
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_floor ARCHIVE OUTDIR\n");
    return 2;
  }
  const MappedFile compressed(argv[1]);
  if (!compressed.Ok())
    return 1;
  size_t size = 0;
  uint8_t* image = Inflate(compressed.Bytes(), size);
  const bool ok = image && size > 0 && WriteEntries(image, size, argv[2]);
  std::free(image);
  return ok ? 0 : 1;
}

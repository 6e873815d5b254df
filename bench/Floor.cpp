// bench_floor: the least any installer must do with the attached archive —
// inflate the zlib stream into memory, then write every entry's bytes to its
// file under OUTDIR, creating folders on the way. No dates, no log, no
// checks beyond what keeps the walk inside the image.
//
//   bench_floor ARCHIVE OUTDIR
#include "bench/FloorImage.h"
#include "bench/MappedFile.h"
#include "tools/Cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace {

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
  uint8_t* image = InflateToBlock(compressed.Bytes(), size);
  const std::string outDir = argv[2];
  std::unordered_set<std::string> made;
  const bool ok =
      size > 0 &&
      ForEachEntry(image, size, [&](std::string_view name, const uint8_t* data, size_t length) {
        std::string path = outDir + "/" + Cp1252ToUtf8(std::string(name));
        for (size_t i = outDir.size() + 1; i < path.size(); ++i)
          path[i] = path[i] == '\\' ? '/' : path[i];
        MakeParents(path, made);
        return WriteFile(path, data, length);
      });
  std::free(image);
  return ok ? 0 : 1;
}

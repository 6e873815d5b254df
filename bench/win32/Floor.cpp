// bench_floor.exe: the Windows floor — inflate the archive's zlib stream into
// memory, then write every entry's bytes to its file under OUTDIR with plain
// CreateFileA and WriteFile, creating folders on the way. No dates, no log.
// Timed inside the process (a Wine process takes far longer to start than
// the work takes), from before the archive is mapped to the last close.
//
//   bench_floor ARCHIVE OUTDIR      prints "seconds S"
#include "bench/FloorImage.h"
#include "bench/MappedFile.h"
#include "bench/Stopwatch.h"
#include "platform/win32/WindowsSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

namespace {

// CreateDirectoryA of every parent folder of path not made yet.
void MakeParents(const std::string& path, size_t from, std::unordered_set<std::string>& made) {
  for (size_t slash = path.find('\\', from); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (made.insert(folder).second)
      CreateDirectoryA(folder.c_str(), nullptr);
  }
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, data, DWORD(size), &written, nullptr) && written == size;
  return CloseHandle(file) && ok;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_floor ARCHIVE OUTDIR\n");
    return 2;
  }
  Stopwatch clock;
  bool ok = false;
  {
    const MappedFile compressed(argv[1]);
    size_t size = 0;
    uint8_t* image = compressed.Ok() ? InflateToBlock(compressed.Bytes(), size) : nullptr;
    const std::string outDir = argv[2];
    std::unordered_set<std::string> made;
    // Every folder below the drive's root, OUTDIR's own parents included.
    const size_t belowRoot = outDir.find('\\') + 1;
    ok = size > 0 &&
         ForEachEntry(image, size, [&](std::string_view name, const uint8_t* data, size_t length) {
           const std::string path = outDir + "\\" + std::string(name);
           MakeParents(path, belowRoot, made);
           return WriteWholeFile(path, data, length);
         });
    std::free(image);
  }
  const double seconds = clock.Lap();
  if (!ok)
    return 1;
  std::printf("seconds %.6f\n", seconds);
  return 0;
}

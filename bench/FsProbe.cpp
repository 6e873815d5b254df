// Timed creation and removal of small files, the bench's measure of whether
// the file system has settled.
#include "bench/FsProbe.h"

#include "bench/Stopwatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

double ProbeFileSystem(const std::string& parent, int count) {
  const std::string folder = parent + "/probe." + std::to_string(getpid());
  Stopwatch clock;
  if (mkdir(folder.c_str(), 0777) != 0)
    return -1;
  bool ok = true;
  for (int i = 0; i < count && ok; ++i) {
    const std::string name = folder + "/" + std::to_string(i);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    ok = fd >= 0 && write(fd, "probe\n", 6) == 6;
    if (fd >= 0)
      close(fd);
  }
  for (int i = 0; i < count; ++i)
    unlink((folder + "/" + std::to_string(i)).c_str());
  rmdir(folder.c_str());
  const double seconds = clock.Lap();
  return ok ? seconds : -1;
}

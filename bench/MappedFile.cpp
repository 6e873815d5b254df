// mmap of a whole file; an empty file maps to an empty view.
#include "bench/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
char emptyFile[1];
} // namespace

MappedFile::MappedFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return;
  struct stat st {};
  const size_t size = fstat(fd, &st) == 0 ? size_t(st.st_size) : 0;
  void* mapped = size > 0 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
  close(fd);
  if (size == 0 && st.st_mode != 0) {
    data_ = emptyFile;
  } else if (mapped != MAP_FAILED) {
    data_ = mapped;
    size_ = size;
  }
}

MappedFile::~MappedFile() {
  if (data_ && data_ != emptyFile)
    munmap(data_, size_);
}

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
  if (fstat(fd, &st) == 0)
    Map(fd, size_t(st.st_size));
  close(fd);
}

void MappedFile::Map(int fd, size_t size) {
  if (size == 0) {
    data_ = emptyFile;
    return;
  }
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapped == MAP_FAILED)
    return;
  data_ = mapped;
  size_ = size;
}

MappedFile::~MappedFile() {
  if (data_ && data_ != emptyFile)
    munmap(data_, size_);
}

// A whole file mapped read-only with a file mapping, as the loader maps the
// program's own resources; an empty file maps to an empty view.
#include "bench/MappedFile.h"

#include <windows.h>

namespace {
char emptyFile[1];
} // namespace

MappedFile::MappedFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart == 0)
    data_ = emptyFile;
  HANDLE mapping =
      size.QuadPart > 0 ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr;
  CloseHandle(file);
  if (!mapping)
    return;
  data_ = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  size_ = data_ ? size_t(size.QuadPart) : 0;
  CloseHandle(mapping);
}

MappedFile::~MappedFile() {
  if (data_ && data_ != emptyFile)
    UnmapViewOfFile(data_);
}

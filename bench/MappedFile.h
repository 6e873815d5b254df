// A whole file mapped read-only, as the setup program maps its own archive
// resource: the compressed bytes are used in place, never copied. The
// build picks the POSIX or the Windows mapping.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class MappedFile {
public:
  // Maps path; Ok() is false when it cannot be opened or mapped.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool Ok() const { return data_ != nullptr; }
  std::string_view Bytes() const { return {static_cast<const char*>(data_), size_}; }

private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

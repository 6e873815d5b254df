// Files and folders through the ANSI file functions of kernel32.
#include "platform/win32/FileIo.h"
#include "platform/win32/FileTimes.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Listing.h"
#include "platform/win32/Services.h"

namespace platform::win32 {
namespace {

// The text of a call that, like GetCurrentDirectoryA, answers a buffer too
// small (or none) with the size it needs, NUL included, and otherwise with
// the length it wrote, NUL excluded; empty when the call fails.
template <typename Fill> std::string FetchString(Fill fill) {
  std::string text;
  for (DWORD size = fill(0, nullptr); size != 0;) {
    text.resize(size);
    const DWORD length = fill(size, text.data());
    if (length < size) {
      text.resize(length);
      return text;
    }
    // The text grew between the two calls: try again with the new size.
    size = length;
  }
  return {};
}

class Win32Files : public Files {
public:
  bool IsFolder(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  // SetCurrentDirectoryA opens the folder for traverse access with these
  // sharing flags; the same open tells, without changing the current folder,
  // whether it would succeed.
  bool CanEnterFolder(const std::string& path) override {
    if (!IsFolder(path))
      return false;
    FileHandle folder(CreateFileA(path.c_str(), FILE_TRAVERSE | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder.Valid();
  }

  bool IsFile(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool CreateFolder(const std::string& path) override {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
  }

  bool RemoveFolder(const std::string& path) override {
    return RemoveDirectoryA(path.c_str()) != FALSE;
  }

  bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != FALSE; }

  bool List(const std::string& folder, std::vector<DirEntry>& out) override {
    return ListFolder(folder, out);
  }

  std::optional<DirEntry> Find(const std::string& name) override { return FindEntry(name); }

  int64_t FileLength(const std::string& name) override {
    FileHandle file(CreateFileA(name.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
      return -1;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
      return -1;
    return static_cast<int64_t>((uint64_t(high) << 32) | low);
  }

  IoStatus ReadFile(const std::string& name, std::string& out) override {
    return ReadWholeFile(name, out);
  }

  IoStatus ReplaceFile(const std::string& path, const void* data, size_t size,
                       const FileTime* writeTimeUtc) override {
    return ReplaceFileAtomically(path, data, size, writeTimeUtc);
  }

  bool SetWriteTime(const std::string& path, FileTime utc) override {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                nullptr));
    if (!file.Valid())
      return false;
    const FILETIME ft = ToFiletime(utc);
    return SetFileTime(file.Get(), nullptr, nullptr, &ft) != FALSE;
  }

  std::string CurrentFolder() override {
    return FetchString([](DWORD size, char* buffer) { return GetCurrentDirectoryA(size, buffer); });
  }

  bool SetCurrentFolder(const std::string& path) override {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
  }

  std::string TempPath() override {
    return FetchString([](DWORD size, char* buffer) { return GetTempPathA(size, buffer); });
  }
};

} // namespace

Files& FilesService() {
  static Win32Files files;
  return files;
}

} // namespace platform::win32

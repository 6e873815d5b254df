// Directory entries through FindFirstFileA / FindNextFileA.
#include "platform/win32/Listing.h"

#include "platform/win32/FileTimes.h"
#include "platform/win32/Handles.h"

#include <cstring>

namespace platform::win32 {
namespace {

DirEntry EntryOf(const WIN32_FIND_DATAA& data) {
  DirEntry entry;
  entry.name = data.cFileName;
  entry.attributes = data.dwFileAttributes;
  entry.size = entry.IsFolder()
                   ? 0
                   : static_cast<int64_t>((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  entry.lastWriteUtc = FromFiletime(data.ftLastWriteTime);
  return entry;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

std::string PatternIn(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
    return folder + "*.*";
  return folder + "\\*.*";
}

bool IsExistingFolder(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA(PatternIn(folder).c_str(), &data));
  // An empty drive root has not even "." and "..".
  if (!find.Valid())
    return GetLastError() == ERROR_FILE_NOT_FOUND && IsExistingFolder(folder);
  do {
    if (!IsDotEntry(data.cFileName))
      out.push_back(EntryOf(data));
  } while (FindNextFileA(find.Get(), &data));
  return GetLastError() == ERROR_NO_MORE_FILES;
}

std::optional<DirEntry> FindEntry(const std::string& name) {
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA(name.c_str(), &data));
  if (!find.Valid())
    return std::nullopt;
  return EntryOf(data);
}

} // namespace platform::win32

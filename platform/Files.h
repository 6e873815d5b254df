// Files and folders of the machine, addressed by Windows paths in cp1252.
// Every operation reports failure by its result; none throws.
#pragma once

#include "platform/FileTime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class IoStatus {
  Ok,
  NotFound,         // the file or its folder does not exist
  AccessDenied,     // rights, read-only file, or a folder standing in the way
  SharingViolation, // held open by another program
  DiskFull,
  Other,
};

struct DirEntry {
  std::string name;    // cp1252, no folder part
  uint32_t attributes; // attr:: bits; attr::kDirectory for folders
  int64_t size;        // bytes; 0 for folders
  FileTime lastWriteUtc;
  bool IsFolder() const { return (attributes & 0x10) != 0; }
};

class Files {
public:
  virtual ~Files() = default;

  // True when path names an existing folder (GetFileAttributesA).
  virtual bool IsFolder(const std::string& path) = 0;
  // True when path names an existing folder that can be entered, as
  // SetCurrentDirectoryA would (traverse access); false for a folder whose
  // rights refuse it, a file, or nothing.
  virtual bool CanEnterFolder(const std::string& path) = 0;
  // True when path names an existing file, not a folder.
  virtual bool IsFile(const std::string& path) = 0;

  // Creates one folder level (CreateDirectoryA); false when it could not.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes an empty folder (RemoveDirectoryA); false when it could not.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Deletes one file (DeleteFileA); false when it could not.
  virtual bool RemoveFile(const std::string& path) = 0;

  // Every entry of a folder ("*.*", all attributes), without "." and "..";
  // false when the folder cannot be listed.
  virtual bool List(const std::string& folder, std::vector<DirEntry>& out) = 0;
  // The directory entry of one name (FindFirstFileA); nullopt when absent.
  virtual std::optional<DirEntry> Find(const std::string& name) = 0;

  // Length of a file opened with no access and FILE_SHARE_READ; -1 when it
  // cannot be opened (missing, a folder, an empty name). Windows checks no
  // sharing for an open without access, so a file held open for writing
  // elsewhere still gives its length.
  virtual int64_t FileLength(const std::string& name) = 0;
  // Reads a whole file into out.
  virtual IoStatus ReadFile(const std::string& name, std::string& out) = 0;

  // Replaces path with exactly size bytes of data, atomically: the bytes go
  // to a temporary file in the same folder, get writeTimeUtc as their
  // last-write time when it is given, and are renamed over path only when
  // complete. On failure path is untouched and the temporary file is gone.
  // When nothing stands at path the file is created exclusively and written
  // in place (no rename), and removed again if the write fails.
  // The first replacement into a folder in a run also removes the temporary
  // files of replacements that other runs left there when they stopped
  // between the write and the rename; nothing else in the folder is touched.
  virtual IoStatus ReplaceFile(const std::string& path, const void* data, size_t size,
                               const FileTime* writeTimeUtc) = 0;
  // Sets the last-write time of an existing file; false when it could not.
  virtual bool SetWriteTime(const std::string& path, FileTime utc) = 0;

  // GetCurrentDirectoryA / SetCurrentDirectoryA.
  virtual std::string CurrentFolder() = 0;
  virtual bool SetCurrentFolder(const std::string& path) = 0;
  // GetTempPathA: the user's temporary folder as the system reports it.
  virtual std::string TempPath() = 0;
};

} // namespace platform

// Small host file-system helpers shared by the emulated services: errno
// translation, file times, whole-file reads and atomic whole-file writes.
#pragma once

#include "platform/FileTime.h"
#include "platform/Files.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

IoStatus StatusFromErrno(int error);

FileTime FileTimeFromTimespec(const timespec& time);
timespec TimespecFromFileTime(FileTime time);

// The whole content of a host file; nullopt when it cannot be read.
std::optional<std::string> ReadHostFile(const std::string& hostPath);

// Writes data to a fresh temporary file beside hostPath, gives it mtime when
// given, and renames it over hostPath; on failure hostPath is untouched and
// the temporary file is gone. mode is the new file's permission bits.
IoStatus WriteHostFileAtomically(const std::string& hostPath, const void* data, size_t size,
                                 const FileTime* mtime = nullptr, unsigned mode = 0666);

// Removes from hostDir the files named like the temporary file of a
// replacement made by another process: left behind when that process stopped
// between the write and the rename. Names of this process (its replacements
// may be in flight), folders and anything else stay. Returns the names
// removed; false when hostDir cannot be listed.
bool RemoveLeftoverTemps(const std::string& hostDir, std::vector<std::string>& removed);

// Creates hostPath, which must not exist yet, with data and mtime when given.
// A failed write removes the partial file. exists is set when something is
// already at hostPath (the call then writes nothing).
IoStatus WriteNewHostFile(const std::string& hostPath, const void* data, size_t size,
                          const FileTime* mtime, unsigned mode, bool& exists);

// Identity of a file's current version: a file replaced by rename, or
// changed in place, gets a different identity.
struct FileStamp {
  unsigned long long inode = 0;
  long long mtimeNs = 0;
  long long size = -1;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& hostPath); // size -1 when absent

// The folder part of a host path ("" for a bare name).
std::string HostParent(const std::string& hostPath);

} // namespace platform::posix

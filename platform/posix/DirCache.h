// The upper-cased names of host folders, so that a case-insensitive lookup
// costs one stat of the folder instead of a scan. An entry is trusted while
// the folder's inode and modification time (nanoseconds) are unchanged, and
// is kept current by the services' own creations and removals. A folder
// scanned within a time-stamp tick of its last change may change again
// without its stamp moving: a miss there is confirmed by one new scan per
// stamp, and a stamp that only this process's own change moved on from a
// confirmed one counts as confirmed, so that writing many files into a
// folder made just before costs a scan or two, not one per file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace platform::posix {

class DirCache {
public:
  // The host name (UTF-8) in hostDir whose cp1252 upper case is upperName;
  // nullopt when there is none or hostDir is not a folder, which isFolder
  // (when given) tells apart.
  std::optional<std::string> Find(const std::string& hostDir, const std::string& upperName,
                                  bool* isFolder = nullptr);
  // Records an entry this process created in hostDir.
  void Added(const std::string& hostDir, const std::string& hostName);
  // Records an entry this process removed from hostDir.
  void Removed(const std::string& hostDir, const std::string& hostName);
  // Records a folder this process has just created: known to be empty.
  void CreatedFolder(const std::string& hostDir);
  // Folder scans made so far, for the tests and the benchmarks.
  size_t Scans();

private:
  struct Entry {
    unsigned long long inode = 0;
    long long mtimeNs = -1;
    // Scanned so soon after a change that a later change might carry the same
    // coarse time stamp: a miss is confirmed by a new scan.
    bool racy = false;
    long long missScanStamp = -1; // the stamp of the last scan made for a miss
    std::unordered_map<std::string, std::string> names; // upper cp1252 -> host name
  };

  bool Current(const Entry& entry, const std::string& hostDir, bool& isFolder);
  void Scan(const std::string& hostDir, Entry& entry);
  void Restamp(const std::string& hostDir, Entry& entry);
  void RestampAfterOwnChange(const std::string& hostDir, Entry& entry);

  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
  size_t scans_ = 0;
};

// The key a cp1252 name is filed under: its upper case.
std::string UpperKey(const std::string& cp1252Name);

} // namespace platform::posix

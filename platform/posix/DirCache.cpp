// Cached, case-insensitive folder contents.
#include "platform/posix/DirCache.h"

#include "platform/Text.h"
#include "platform/posix/Cp1252.h"

#include <ctime>
#include <dirent.h>
#include <sys/stat.h>

namespace platform::posix {
namespace {

// Longer than any coarse file-system clock tick.
constexpr long long kRacyWindowNs = 50'000'000;

long long Nanoseconds(const timespec& t) {
  return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

// The key of a host name, or "" when the name has no cp1252 spelling (such a
// name cannot be reached through the ANSI functions).
std::string KeyOfHostName(const std::string& hostName) {
  bool exact = true;
  const std::string name = Utf8ToCp1252(hostName, &exact);
  return exact ? UpperKey(name) : std::string();
}

} // namespace

std::string UpperKey(const std::string& cp1252Name) {
  const uint8_t* upper = UpperCaseTable();
  std::string key = cp1252Name;
  for (char& c : key)
    c = char(upper[uint8_t(c)]);
  return key;
}

std::optional<std::string> DirCache::Find(const std::string& hostDir, const std::string& upperName,
                                          bool* isFolderOut) {
  std::lock_guard lock(mutex_);
  auto found = entries_.find(hostDir);
  Entry& entry = found != entries_.end() ? found->second : entries_[hostDir];
  bool isFolder = false;
  const bool current = Current(entry, hostDir, isFolder);
  if (isFolderOut)
    *isFolderOut = isFolder;
  if (!current) {
    if (!isFolder) {
      entries_.erase(hostDir);
      return std::nullopt;
    }
    Scan(hostDir, entry);
  }
  auto name = entry.names.find(upperName);
  if (name == entry.names.end() && entry.racy && entry.missScanStamp != entry.mtimeNs) {
    Scan(hostDir, entry);
    entry.missScanStamp = entry.mtimeNs;
    name = entry.names.find(upperName);
  }
  if (name == entry.names.end())
    return std::nullopt;
  return name->second;
}

void DirCache::Added(const std::string& hostDir, const std::string& hostName) {
  std::lock_guard lock(mutex_);
  auto found = entries_.find(hostDir);
  const std::string key = KeyOfHostName(hostName);
  if (found == entries_.end() || key.empty())
    return;
  found->second.names.try_emplace(key, hostName);
  RestampAfterOwnChange(hostDir, found->second);
}

void DirCache::Removed(const std::string& hostDir, const std::string& hostName) {
  std::lock_guard lock(mutex_);
  entries_.erase(hostDir + "/" + hostName);
  auto found = entries_.find(hostDir);
  if (found == entries_.end())
    return;
  auto name = found->second.names.find(KeyOfHostName(hostName));
  if (name != found->second.names.end() && name->second == hostName)
    found->second.names.erase(name);
  RestampAfterOwnChange(hostDir, found->second);
}

void DirCache::CreatedFolder(const std::string& hostDir) {
  std::lock_guard lock(mutex_);
  Entry& entry = entries_[hostDir];
  entry.names.clear();
  entry.racy = false;
  Restamp(hostDir, entry);
}

size_t DirCache::Scans() {
  std::lock_guard lock(mutex_);
  return scans_;
}

bool DirCache::Current(const Entry& entry, const std::string& hostDir, bool& isFolder) {
  struct stat st {};
  isFolder = stat(hostDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  return isFolder && entry.inode == st.st_ino && entry.mtimeNs == Nanoseconds(st.st_mtim);
}

void DirCache::Scan(const std::string& hostDir, Entry& entry) {
  ++scans_;
  const long long scanStart = NowNs();
  Restamp(hostDir, entry);
  entry.names.clear();
  entry.racy = scanStart - entry.mtimeNs < kRacyWindowNs;
  DIR* dir = opendir(hostDir.c_str());
  if (!dir) {
    entry.mtimeNs = -1;
    return;
  }
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name == "." || name == "..")
      continue;
    const std::string key = KeyOfHostName(name);
    if (key.empty())
      continue;
    auto [slot, inserted] = entry.names.try_emplace(key, name);
    if (!inserted && name < slot->second)
      slot->second = name; // two host names differing only in case: pick one, always the same
  }
  closedir(dir);
}

// A stamp a miss had already been confirmed at, moved on by this process's own
// change, needs no confirmation again: the names are what the scan found
// plus what this process did. Without this, a folder kept racy by our own
// writes would be scanned again after every file.
void DirCache::RestampAfterOwnChange(const std::string& hostDir, Entry& entry) {
  const bool confirmed = entry.missScanStamp == entry.mtimeNs;
  Restamp(hostDir, entry);
  if (confirmed)
    entry.missScanStamp = entry.mtimeNs;
}

void DirCache::Restamp(const std::string& hostDir, Entry& entry) {
  struct stat st {};
  if (stat(hostDir.c_str(), &st) != 0) {
    entry.mtimeNs = -1;
    return;
  }
  entry.inode = st.st_ino;
  entry.mtimeNs = Nanoseconds(st.st_mtim);
}

} // namespace platform::posix

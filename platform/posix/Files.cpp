// Files and folders of the emulated machine. Host errors become the Windows
// results; a file without its owner's write permission counts as read-only
// (so it cannot be replaced or deleted, as on Windows).
#include "platform/Constants.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/HostIo.h"
#include "platform/posix/Machine.h"
#include "platform/posix/Services.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace platform::posix {
namespace {

bool StatOf(const std::string& hostPath, struct stat& st) {
  return stat(hostPath.c_str(), &st) == 0;
}

bool ReadOnly(const struct stat& st) {
  return (st.st_mode & S_IWUSR) == 0;
}

DirEntry EntryOf(const std::string& hostName, const struct stat& st) {
  DirEntry entry{};
  entry.name = Utf8ToCp1252(hostName);
  const bool folder = S_ISDIR(st.st_mode);
  entry.attributes = folder ? attr::kDirectory : ReadOnly(st) ? attr::kReadOnly : attr::kArchive;
  if (hostName[0] == '.')
    entry.attributes |= attr::kHidden;
  entry.size = folder ? 0 : int64_t(st.st_size);
  entry.lastWriteUtc = FileTimeFromTimespec(st.st_mtim);
  return entry;
}

void SortLikeNtfs(std::vector<DirEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    const std::string ka = UpperKey(a.name), kb = UpperKey(b.name);
    return ka != kb ? ka < kb : a.name < b.name;
  });
}

class MachineFiles final : public Files {
public:
  explicit MachineFiles(Machine& machine) : paths_(machine.Paths()) {}

  bool IsFolder(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    struct stat st {};
    return p && StatOf(p->host, st) && S_ISDIR(st.st_mode);
  }

  // A host folder is entered through its search (execute) permission.
  bool CanEnterFolder(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    struct stat st {};
    return p && StatOf(p->host, st) && S_ISDIR(st.st_mode) && access(p->host.c_str(), X_OK) == 0;
  }

  bool IsFile(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    struct stat st {};
    return p && !p->trailingSeparator && StatOf(p->host, st) && !S_ISDIR(st.st_mode);
  }

  bool CreateFolder(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    if (!p || p->IsRoot() || mkdir(p->host.c_str(), 0777) != 0)
      return false;
    paths_.Cache().Added(p->parent, p->leaf);
    paths_.Cache().CreatedFolder(p->host);
    return true;
  }

  bool RemoveFolder(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    if (!p || p->IsRoot() || rmdir(p->host.c_str()) != 0)
      return false;
    paths_.Cache().Removed(p->parent, p->leaf);
    return true;
  }

  bool RemoveFile(const std::string& path) override {
    const auto p = paths_.Resolve(path);
    struct stat st {};
    if (!p || p->IsRoot() || p->trailingSeparator || lstat(p->host.c_str(), &st) != 0)
      return false;
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && ReadOnly(st)))
      return false;
    if (unlink(p->host.c_str()) != 0)
      return false;
    paths_.Cache().Removed(p->parent, p->leaf);
    return true;
  }

  bool List(const std::string& folder, std::vector<DirEntry>& out) override {
    out.clear();
    const auto p = paths_.Resolve(folder);
    DIR* dir = p ? opendir(p->host.c_str()) : nullptr;
    if (!dir)
      return false;
    while (const dirent* item = readdir(dir)) {
      const std::string name = item->d_name;
      struct stat st {};
      if (name == "." || name == ".." || fstatat(dirfd(dir), item->d_name, &st, 0) != 0)
        continue;
      out.push_back(EntryOf(name, st));
    }
    closedir(dir);
    SortLikeNtfs(out);
    return true;
  }

  std::optional<DirEntry> Find(const std::string& name) override {
    const auto p = paths_.Resolve(name);
    struct stat st {};
    if (!p || p->IsRoot() || !StatOf(p->host, st))
      return std::nullopt;
    if (p->trailingSeparator && !S_ISDIR(st.st_mode))
      return std::nullopt;
    return EntryOf(p->leaf, st);
  }

  int64_t FileLength(const std::string& name) override {
    const auto p = paths_.Resolve(name);
    struct stat st {};
    if (!p || p->trailingSeparator || !StatOf(p->host, st) || S_ISDIR(st.st_mode))
      return -1;
    return int64_t(st.st_size);
  }

  IoStatus ReadFile(const std::string& name, std::string& out) override {
    const auto p = paths_.Resolve(name);
    struct stat st {};
    if (!p || !StatOf(p->host, st))
      return IoStatus::NotFound;
    if (S_ISDIR(st.st_mode))
      return IoStatus::AccessDenied;
    if (p->trailingSeparator)
      return IoStatus::NotFound;
    auto content = ReadHostFile(p->host);
    if (!content)
      return StatusFromErrno(errno);
    out = std::move(*content);
    return IoStatus::Ok;
  }

  // A new file is written in place: there is nothing to protect, and the
  // rename a replacement needs costs more than the write of a small file. A
  // missing folder on the way (or a file in its place) shows as NotFound
  // when the file is created. Windows starts any file as a program; the
  // execute bit lets an installed program be started by Exec like on the
  // real machine.
  IoStatus ReplaceFile(const std::string& path, const void* data, size_t size,
                       const FileTime* writeTimeUtc) override {
    const auto p = paths_.Resolve(path);
    if (!p || p->trailingSeparator)
      return IoStatus::NotFound;
    if (p->IsRoot())
      return IoStatus::AccessDenied;
    SweepOnce(p->parent);
    bool exists = false;
    IoStatus status = WriteNewHostFile(p->host, data, size, writeTimeUtc, 0777, exists);
    if (exists)
      status = ReplaceExisting(p->host, data, size, writeTimeUtc);
    if (status == IoStatus::Ok)
      paths_.Cache().Added(p->parent, p->leaf);
    return status;
  }

  bool SetWriteTime(const std::string& path, FileTime utc) override {
    const auto p = paths_.Resolve(path);
    struct stat st {};
    if (!p || p->trailingSeparator || !StatOf(p->host, st) || S_ISDIR(st.st_mode))
      return false;
    const timespec times[2] = {{0, UTIME_OMIT}, TimespecFromFileTime(utc)};
    return utimensat(AT_FDCWD, p->host.c_str(), times, 0) == 0;
  }

  std::string CurrentFolder() override {
    std::lock_guard lock(mutex_);
    return current_;
  }

  bool SetCurrentFolder(const std::string& path) override {
    const auto parsed = ParseWindowsPath(path);
    const auto p = parsed ? paths_.Resolve(*parsed) : std::nullopt;
    struct stat st {};
    if (!p || !StatOf(p->host, st) || !S_ISDIR(st.st_mode) || access(p->host.c_str(), X_OK) != 0)
      return false;
    std::lock_guard lock(mutex_);
    current_ = parsed->Text();
    return true;
  }

  std::string TempPath() override { return kTempPath; }

private:
  // A folder or a read-only file cannot be replaced; anything else is
  // replaced through a temporary file and a rename.
  static IoStatus ReplaceExisting(const std::string& host, const void* data, size_t size,
                                  const FileTime* writeTimeUtc) {
    struct stat st {};
    if (StatOf(host, st) && (S_ISDIR(st.st_mode) || ReadOnly(st)))
      return IoStatus::AccessDenied;
    return WriteHostFileAtomically(host, data, size, writeTimeUtc, 0777);
  }

  // The first write into a folder removes the temporary files that an earlier
  // run, stopped between a replacement's write and its rename, left there: they
  // must not count as part of what is installed. A folder that cannot be
  // listed yet (it is about to be made) is swept at its next write.
  void SweepOnce(const std::string& hostDir) {
    std::lock_guard lock(sweepMutex_);
    if (swept_.count(hostDir))
      return;
    std::vector<std::string> removed;
    if (!RemoveLeftoverTemps(hostDir, removed))
      return;
    swept_.insert(hostDir);
    for (const std::string& name : removed)
      paths_.Cache().Removed(hostDir, name);
  }

  PathMap& paths_;
  std::mutex sweepMutex_;
  std::unordered_set<std::string> swept_; // host folders already swept
  std::mutex mutex_;
  std::string current_ = "C:\\";
};

} // namespace

std::unique_ptr<Files> NewFiles(Machine& machine) {
  return std::make_unique<MachineFiles>(machine);
}

} // namespace platform::posix

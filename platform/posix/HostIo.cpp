// Host file-system helpers of the emulated services.
#include "platform/posix/HostIo.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {
namespace {

// 100-ns intervals between 1 January 1601 and 1 January 1970.
constexpr long long kUnixEpochAsFileTime = 116444736000000000LL;

// A replacement's temporary file is ".~brv<process id>-<attempt>.tmp".
constexpr char kTempPrefix[] = ".~brv";
constexpr char kTempSuffix[] = ".tmp";
constexpr unsigned kTempNames = 100;

std::string TempNameBeside(const std::string& hostPath, unsigned attempt) {
  return HostParent(hostPath) + "/" + kTempPrefix + std::to_string(getpid()) + "-" +
         std::to_string(attempt) + kTempSuffix;
}

// Reads the decimal number at text[pos], of at most maxDigits digits and no
// leading zero, and moves pos past it; false when there is none.
bool ReadNumber(const std::string& text, size_t& pos, size_t maxDigits, unsigned long long& value) {
  const size_t start = pos;
  value = 0;
  while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9')
    value = value * 10 + unsigned(text[pos++] - '0');
  const size_t digits = pos - start;
  return digits > 0 && !(digits > 1 && text[start] == '0');
}

// True when name is exactly a temporary name TempNameBeside may give, and
// sets pid to the process it names.
bool ParseTempName(const std::string& name, unsigned long long& pid) {
  const size_t prefix = sizeof kTempPrefix - 1, suffix = sizeof kTempSuffix - 1;
  if (name.compare(0, prefix, kTempPrefix) != 0)
    return false;
  size_t pos = prefix;
  unsigned long long attempt = 0;
  if (!ReadNumber(name, pos, 10, pid) || pos >= name.size() || name[pos++] != '-' ||
      !ReadNumber(name, pos, 2, attempt) || attempt >= kTempNames)
    return false;
  return name.size() - pos == suffix && name.compare(pos, suffix, kTempSuffix) == 0;
}

// Creates the temporary file exclusively, under the next name when one exists,
// so that a file someone else prepared under the predictable name is never
// reused or replaced. Sets temp to the name created.
int CreateTempBeside(const std::string& hostPath, unsigned mode, std::string& temp) {
  for (unsigned attempt = 0; attempt < kTempNames; ++attempt) {
    temp = TempNameBeside(hostPath, attempt);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  return -1;
}

// Writes all bytes, resuming after interruptions and short writes.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written == 0)
      errno = ENOSPC;
    if (written <= 0)
      return false;
    data += written;
    size -= size_t(written);
  }
  return true;
}

IoStatus Fail(int fd, const std::string& temp, int error) {
  if (fd >= 0)
    close(fd);
  unlink(temp.c_str());
  return StatusFromErrno(error);
}

} // namespace

IoStatus StatusFromErrno(int error) {
  switch (error) {
  case ENOSPC:
  case EDQUOT:
  case EFBIG:
    return IoStatus::DiskFull;
  case EACCES:
  case EPERM:
  case EISDIR:
  case EROFS:
  case EEXIST:
  case ENOTEMPTY:
    return IoStatus::AccessDenied;
  case ENOENT:
  case ENOTDIR:
  case ENAMETOOLONG:
    return IoStatus::NotFound;
  case ETXTBSY:
  case EBUSY:
    return IoStatus::SharingViolation;
  default:
    return IoStatus::Other;
  }
}

FileTime FileTimeFromTimespec(const timespec& time) {
  const long long ticks = (long long)time.tv_sec * 10000000LL + time.tv_nsec / 100;
  const long long fileTime = ticks + kUnixEpochAsFileTime;
  return fileTime < 0 ? 0 : FileTime(fileTime);
}

timespec TimespecFromFileTime(FileTime time) {
  const long long fileTime = time > uint64_t(LLONG_MAX) ? LLONG_MAX : (long long)time;
  const long long ticks = fileTime - kUnixEpochAsFileTime;
  long long seconds = ticks / 10000000LL;
  long long rest = ticks % 10000000LL;
  if (rest < 0) {
    rest += 10000000LL;
    --seconds;
  }
  return timespec{time_t(seconds), long(rest * 100)};
}

std::optional<std::string> ReadHostFile(const std::string& hostPath) {
  const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      close(fd);
      return std::nullopt;
    }
    if (got == 0)
      break;
    content.append(buffer, size_t(got));
  }
  close(fd);
  return content;
}

namespace {

// Writes the bytes and the date to fd and closes it; on failure the file
// written is removed.
IoStatus FillAndClose(int fd, const std::string& written, const void* data, size_t size,
                      const FileTime* mtime) {
  if (!WriteAll(fd, static_cast<const char*>(data), size))
    return Fail(fd, written, errno);
  if (mtime) {
    const timespec times[2] = {{0, UTIME_OMIT}, TimespecFromFileTime(*mtime)};
    if (futimens(fd, times) != 0)
      return Fail(fd, written, errno);
  }
  if (close(fd) != 0)
    return Fail(-1, written, errno);
  return IoStatus::Ok;
}

} // namespace

IoStatus WriteHostFileAtomically(const std::string& hostPath, const void* data, size_t size,
                                 const FileTime* mtime, unsigned mode) {
  std::string temp;
  const int fd = CreateTempBeside(hostPath, mode, temp);
  if (fd < 0)
    return StatusFromErrno(errno);
  const IoStatus status = FillAndClose(fd, temp, data, size, mtime);
  if (status != IoStatus::Ok)
    return status;
  if (rename(temp.c_str(), hostPath.c_str()) != 0)
    return Fail(-1, temp, errno);
  return IoStatus::Ok;
}

bool RemoveLeftoverTemps(const std::string& hostDir, std::vector<std::string>& removed) {
  DIR* dir = opendir(hostDir.c_str());
  if (!dir)
    return false;
  const unsigned long long self = (unsigned long long)getpid();
  while (const dirent* item = readdir(dir)) {
    unsigned long long pid = 0;
    struct stat st {};
    if (!ParseTempName(item->d_name, pid) || pid == self)
      continue;
    // Only a regular file: never a folder, nor what a link points to.
    if (fstatat(dirfd(dir), item->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
      continue;
    if (unlinkat(dirfd(dir), item->d_name, 0) == 0)
      removed.push_back(item->d_name);
  }
  closedir(dir);
  return true;
}

// O_EXCL makes the file ours: removing it after a failure cannot touch
// anything that was there before.
IoStatus WriteNewHostFile(const std::string& hostPath, const void* data, size_t size,
                          const FileTime* mtime, unsigned mode, bool& exists) {
  const int fd = open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  exists = fd < 0 && errno == EEXIST;
  if (fd < 0)
    return StatusFromErrno(errno);
  return FillAndClose(fd, hostPath, data, size, mtime);
}

FileStamp StampOf(const std::string& hostPath) {
  struct stat st {};
  if (stat(hostPath.c_str(), &st) != 0)
    return FileStamp{};
  return FileStamp{st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
                   (long long)st.st_size};
}

std::string HostParent(const std::string& hostPath) {
  const size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos)
    return "";
  return slash == 0 ? "/" : hostPath.substr(0, slash);
}

} // namespace platform::posix

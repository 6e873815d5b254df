// Whole-file reads and atomic whole-file replacement. A replacement is
// written to a temporary file beside its destination and renamed over it
// only when complete, so a failed write never leaves a truncated file where
// a good one was; a new file is written in place and deleted if the write
// fails.
#include "platform/win32/FileIo.h"

#include "platform/Threads.h"
#include "platform/win32/FileTimes.h"
#include "platform/win32/Handles.h"

#include <cstdio>
#include <cstring>
#include <set>

namespace platform::win32 {
namespace {

IoStatus LastErrorStatus() {
  return StatusOfError(GetLastError());
}

// A replacement's temporary file is "~brv<process id in hex>-<attempt>.tmp".
constexpr unsigned kTempNames = 100;

// The folder part of path, its separator included; empty for a bare name.
std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The attempt-th temporary name in the folder of path: the rename must stay
// on one volume.
std::string TempNameBeside(const std::string& path, unsigned attempt) {
  char name[40];
  std::snprintf(name, sizeof name, "~brv%lx-%u.tmp", GetCurrentProcessId(), attempt);
  return FolderOf(path) + name;
}

// True when name is a temporary name that TempNameBeside gives in another
// process, exactly as it gives them (lower-case hex, no leading zero).
bool IsOthersTempName(const char* name) {
  unsigned long pid = 0;
  unsigned attempt = 0;
  int end = 0;
  if (std::sscanf(name, "~brv%8lx-%2u.tmp%n", &pid, &attempt, &end) != 2 || name[end] != 0 ||
      attempt >= kTempNames || pid == GetCurrentProcessId())
    return false;
  char again[40];
  std::snprintf(again, sizeof again, "~brv%lx-%u.tmp", pid, attempt);
  return std::strcmp(again, name) == 0;
}

// Removes the files of folder named like another process's temporary file:
// left behind when that process stopped between a replacement's write and
// its rename. Folders, read-only files and anything else stay.
void RemoveLeftoverTemps(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "~brv*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return;
  do {
    if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) &&
        IsOthersTempName(found.cFileName))
      DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// The first write into a folder removes the temporary files an earlier run
// left there, so that they never count as part of what is installed. Folders
// are remembered by their upper-cased text; a folder named another way is
// swept again, which is harmless. A bare name (the current folder) is not
// swept.
void SweepOnce(const std::string& path) {
  struct Memo {
    platform::Lock lock;
    std::set<std::string> folders;
  };
  static Memo memo;
  const std::string folder = FolderOf(path);
  if (folder.empty())
    return;
  std::string key = folder;
  CharUpperBuffA(key.data(), DWORD(key.size()));
  platform::LockGuard guard(memo.lock);
  if (memo.folders.insert(key).second)
    RemoveLeftoverTemps(folder);
}

// Writes the bytes and the date through an open handle and closes it.
IoStatus Fill(FileHandle& file, const void* data, size_t size, const FileTime* writeTimeUtc) {
  static const char none = 0;
  DWORD written = 0;
  if (!WriteFile(file.Get(), data ? data : &none, static_cast<DWORD>(size), &written, nullptr))
    return LastErrorStatus();
  // A short write without an error only happens when the volume is full.
  if (written != size)
    return IoStatus::DiskFull;
  if (writeTimeUtc) {
    const FILETIME ft = ToFiletime(*writeTimeUtc);
    SetFileTime(file.Get(), nullptr, nullptr, &ft);
  }
  if (!file.Close())
    return LastErrorStatus();
  return IoStatus::Ok;
}

// The temporary file is created exclusively, under the next name when one
// exists: a file someone else prepared under the predictable name (in a shared
// data folder an ordinary user can write to) is never reused or replaced.
IoStatus WriteTemp(const std::string& path, std::string& temp, const void* data, size_t size,
                   const FileTime* writeTimeUtc) {
  constexpr unsigned kNames = 100;
  DWORD error = ERROR_FILE_EXISTS;
  for (unsigned attempt = 0; attempt < kNames; ++attempt) {
    temp = TempNameBeside(path, attempt);
    FileHandle file(CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid())
      return Fill(file, data, size, writeTimeUtc);
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
      break;
  }
  temp.clear();
  return StatusOfError(error);
}

// A new file is written in place: CREATE_NEW makes it ours, so deleting it
// after a failure cannot touch anything that was there before. exists is set
// when something already stands at path (nothing is written then).
IoStatus WriteNew(const std::string& path, const void* data, size_t size,
                  const FileTime* writeTimeUtc, bool& exists) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return StatusOfError(error);
  }
  const IoStatus status = Fill(file, data, size, writeTimeUtc);
  if (status != IoStatus::Ok) {
    file.Close();
    DeleteFileA(path.c_str());
  }
  return status;
}

// A rename over a file that is open elsewhere fails with ERROR_ACCESS_DENIED,
// as does one over a read-only file or a folder. Opening the destination the
// way a plain rewrite would tells a file in use apart from the others.
DWORD WhyDestinationRefused(const std::string& path, DWORD renameError) {
  FileHandle probe(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (probe.Valid())
    return renameError;
  const DWORD error = GetLastError();
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
    return error;
  return renameError;
}

IoStatus MoveOver(const std::string& temp, const std::string& path) {
  if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    return IoStatus::Ok;
  DWORD error = GetLastError();
  if (error == ERROR_ACCESS_DENIED)
    error = WhyDestinationRefused(path, error);
  return StatusOfError(error);
}

// A rename replaces a read-only file under Wine, where Windows refuses it as
// it refuses rewriting one: refuse it everywhere, before writing anything.
bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

IoStatus StatusOfError(DWORD error) {
  switch (error) {
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
    return IoStatus::SharingViolation;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return IoStatus::DiskFull;
  case ERROR_ACCESS_DENIED:
    return IoStatus::AccessDenied;
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
    return IoStatus::NotFound;
  default:
    return IoStatus::Other;
  }
}

IoStatus ReplaceFileAtomically(const std::string& path, const void* data, size_t size,
                               const FileTime* writeTimeUtc) {
  if (size > MAXDWORD)
    return IoStatus::Other;
  // Only an existing file needs the temporary file and the rename, which
  // cost more than writing a small file.
  SweepOnce(path);
  bool exists = false;
  const IoStatus created = WriteNew(path, data, size, writeTimeUtc, exists);
  if (!exists)
    return created;
  if (IsReadOnlyFile(path))
    return IoStatus::AccessDenied;
  std::string temp;
  IoStatus status = WriteTemp(path, temp, data, size, writeTimeUtc);
  if (status == IoStatus::Ok)
    status = MoveOver(temp, path);
  // Only a temporary file this call created is deleted.
  if (status != IoStatus::Ok && !temp.empty())
    DeleteFileA(temp.c_str());
  return status;
}

IoStatus ReadWholeFile(const std::string& name, std::string& out) {
  out.clear();
  FileHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid())
    return LastErrorStatus();
  // GetFileSize, not GetFileSizeEx: Windows NT 4.0 must load the program to
  // be refused. A high part means a file too large to read into memory.
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(file.Get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
    return LastErrorStatus();
  if (high != 0)
    return IoStatus::Other;
  out.resize(static_cast<size_t>(low));
  DWORD read = 0;
  if (!::ReadFile(file.Get(), out.data(), static_cast<DWORD>(out.size()), &read, nullptr)) {
    out.clear();
    return LastErrorStatus();
  }
  // The file may have shrunk since its size was taken.
  out.resize(read);
  return IoStatus::Ok;
}

} // namespace platform::win32

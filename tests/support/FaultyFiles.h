// A platform::Files that forwards every call to the Files in force when it
// was made, and fails the calls it has been told to fail: "the 3rd write
// from now fails with disk full", "this file stays locked for 2 attempts",
// "this file cannot be read". While it lives it is itself in force, over a
// copy of the current Platform with only the files replaced.
//
//   TestMachine machine;                 // first: FaultyFiles wraps its files
//   FaultyFiles files;
//   files.FailNth(FileOp::Replace, 3, platform::IoStatus::DiskFull);
//   files.FailPath(FileOp::Replace, path, platform::IoStatus::SharingViolation, 2);
//   files.FailPath(FileOp::Read, path, platform::IoStatus::AccessDenied);
//   files.HoldFile(FileOp::Replace, "persodicfr.tlx");  // the worker stops inside
//   files.WaitUntilHeld(); ... files.Release();
//
// A failed ReplaceFile leaves the file untouched, as the real one does. For
// the operations that answer true or false (CreateFolder, RemoveFile,
// RemoveFolder, SetWriteTime, List, Enter) a fault gives false and its status is
// not used; a Length fault gives -1. Faults may be set and calls made from
// several threads.
#pragma once

#include "platform/Platform.h"
#include "platform/Threads.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

enum class FileOp {
  Enter,
  Replace,
  Read,
  Length,
  List,
  CreateFolder,
  RemoveFile,
  RemoveFolder,
  SetWriteTime
};

class FaultyFiles : public platform::Files {
public:
  FaultyFiles();
  ~FaultyFiles() override;
  FaultyFiles(const FaultyFiles&) = delete;
  FaultyFiles& operator=(const FaultyFiles&) = delete;

  // The n-th call of op from now (1 = the next one), whatever its path, fails.
  void FailNth(FileOp op, int n, platform::IoStatus status = platform::IoStatus::DiskFull);
  // The next `times` calls of op on path fail; every call when times < 0.
  // Paths compare ignoring letter case and a trailing backslash.
  void FailPath(FileOp op, const std::string& path, platform::IoStatus status, int times = -1);
  // The next call of op on a path whose last component is fileName (ignoring
  // case) waits inside, before it runs, until Release: the calling thread is
  // held at a known point.
  void HoldFile(FileOp op, const std::string& fileName);
  // Waits until a call is held.
  void WaitUntilHeld();
  // Lets the held call (or the one still to come) go on.
  void Release();
  // Forgets the faults not yet hit.
  void ClearFaults();
  // Calls of op made so far, failed ones included.
  int Calls(FileOp op) const;
  // Calls failed on cue so far.
  int Failures() const;
  // TempPath answers folder instead of the machine's temporary folder.
  void RedirectTempPath(const std::string& folder);

  bool IsFolder(const std::string& path) override;
  bool CanEnterFolder(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool List(const std::string& folder, std::vector<platform::DirEntry>& out) override;
  std::optional<platform::DirEntry> Find(const std::string& name) override;
  int64_t FileLength(const std::string& name) override;
  platform::IoStatus ReadFile(const std::string& name, std::string& out) override;
  platform::IoStatus ReplaceFile(const std::string& path, const void* data, size_t size,
                                 const platform::FileTime* writeTimeUtc) override;
  bool SetWriteTime(const std::string& path, platform::FileTime utc) override;
  std::string CurrentFolder() override;
  bool SetCurrentFolder(const std::string& path) override;
  std::string TempPath() override;

protected:
  platform::Files& Inner() { return inner_; }

private:
  struct Fault {
    FileOp op;
    std::string path; // folded; empty for FailNth
    int atCall;       // FailNth: the call number that fails; 0 otherwise
    int remaining;    // FailPath: calls left to fail; < 0 for ever
    platform::IoStatus status;
  };

  // Counts the call and answers the status it must fail with, if any.
  std::optional<platform::IoStatus> Hit(FileOp op, const std::string& path);
  bool Matches(Fault& fault, FileOp op, const std::string& folded);
  // With the lock held: waits inside a call the hold is set for.
  void HoldIfSet(FileOp op, const std::string& folded);

  platform::Files& inner_;
  mutable platform::Lock lock_;
  std::vector<Fault> faults_;
  std::map<FileOp, int> calls_;
  int failures_ = 0;
  std::optional<std::string> tempPath_;
  struct Hold {
    FileOp op;
    std::string name; // folded
    bool held = false;
    bool released = false;
    bool inside = false; // a thread is (still) in the held call
  };
  std::optional<Hold> hold_;
  platform::Condition holdChanged_;
  std::optional<platform::ScopedPlatform> scope_;
};

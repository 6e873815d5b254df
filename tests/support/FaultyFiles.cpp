// The fault-injecting Files wrapper of the tests.
#include "support/FaultyFiles.h"

#include "instutils/TextUtils.h"

using platform::IoStatus;

namespace {

std::string Fold(const std::string& path) {
  std::string folded = UpperCase(path);
  if (!folded.empty() && folded.back() == '\\')
    folded.pop_back();
  return folded;
}

} // namespace

FaultyFiles::FaultyFiles() : inner_(*platform::Current().files) {
  platform::Platform replacement = platform::Current();
  replacement.files = this;
  scope_.emplace(replacement);
}

// A thread let go from the hold still has to wake up and leave it, touching
// this object's lock on its way out: it is waited for.
FaultyFiles::~FaultyFiles() {
  Release();
  {
    platform::LockGuard guard(lock_);
    while (hold_ && hold_->inside)
      holdChanged_.Wait(lock_);
  }
  scope_.reset();
}

void FaultyFiles::HoldFile(FileOp op, const std::string& fileName) {
  platform::LockGuard guard(lock_);
  hold_ = Hold{op, Fold(fileName)};
}

void FaultyFiles::WaitUntilHeld() {
  platform::LockGuard guard(lock_);
  while (hold_ && !hold_->held && !hold_->released)
    holdChanged_.Wait(lock_);
}

void FaultyFiles::Release() {
  platform::LockGuard guard(lock_);
  if (!hold_)
    return;
  hold_->released = true;
  holdChanged_.NotifyAll();
}

void FaultyFiles::HoldIfSet(FileOp op, const std::string& folded) {
  if (!hold_ || hold_->held || hold_->op != op)
    return;
  const size_t slash = folded.find_last_of('\\');
  if (folded.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos, hold_->name) !=
      0)
    return;
  hold_->held = true;
  hold_->inside = true;
  holdChanged_.NotifyAll();
  while (!hold_->released)
    holdChanged_.Wait(lock_);
  hold_->inside = false;
  holdChanged_.NotifyAll();
}

void FaultyFiles::FailNth(FileOp op, int n, IoStatus status) {
  platform::LockGuard guard(lock_);
  faults_.push_back({op, "", calls_[op] + n, 0, status});
}

void FaultyFiles::FailPath(FileOp op, const std::string& path, IoStatus status, int times) {
  if (times == 0)
    return;
  platform::LockGuard guard(lock_);
  faults_.push_back({op, Fold(path), 0, times, status});
}

void FaultyFiles::ClearFaults() {
  platform::LockGuard guard(lock_);
  faults_.clear();
}

int FaultyFiles::Calls(FileOp op) const {
  platform::LockGuard guard(lock_);
  auto found = calls_.find(op);
  return found == calls_.end() ? 0 : found->second;
}

int FaultyFiles::Failures() const {
  platform::LockGuard guard(lock_);
  return failures_;
}

void FaultyFiles::RedirectTempPath(const std::string& folder) {
  platform::LockGuard guard(lock_);
  tempPath_ = folder;
}

// A fault that has no calls left to fail is used up.
bool FaultyFiles::Matches(Fault& fault, FileOp op, const std::string& folded) {
  if (fault.op != op)
    return false;
  if (fault.atCall != 0)
    return fault.atCall == calls_[op];
  if (fault.path != folded || fault.remaining == 0)
    return false;
  if (fault.remaining > 0)
    --fault.remaining;
  return true;
}

std::optional<IoStatus> FaultyFiles::Hit(FileOp op, const std::string& path) {
  platform::LockGuard guard(lock_);
  ++calls_[op];
  std::string folded = Fold(path);
  HoldIfSet(op, folded);
  for (auto fault = faults_.begin(); fault != faults_.end(); ++fault) {
    if (!Matches(*fault, op, folded))
      continue;
    IoStatus status = fault->status;
    if (fault->atCall != 0 || fault->remaining == 0)
      faults_.erase(fault);
    ++failures_;
    return status;
  }
  return std::nullopt;
}

bool FaultyFiles::IsFolder(const std::string& path) {
  return inner_.IsFolder(path);
}

bool FaultyFiles::CanEnterFolder(const std::string& path) {
  return !Hit(FileOp::Enter, path) && inner_.CanEnterFolder(path);
}

bool FaultyFiles::IsFile(const std::string& path) {
  return inner_.IsFile(path);
}

bool FaultyFiles::CreateFolder(const std::string& path) {
  return !Hit(FileOp::CreateFolder, path) && inner_.CreateFolder(path);
}

bool FaultyFiles::RemoveFolder(const std::string& path) {
  return !Hit(FileOp::RemoveFolder, path) && inner_.RemoveFolder(path);
}

bool FaultyFiles::RemoveFile(const std::string& path) {
  return !Hit(FileOp::RemoveFile, path) && inner_.RemoveFile(path);
}

bool FaultyFiles::List(const std::string& folder, std::vector<platform::DirEntry>& out) {
  if (Hit(FileOp::List, folder)) {
    out.clear();
    return false;
  }
  return inner_.List(folder, out);
}

std::optional<platform::DirEntry> FaultyFiles::Find(const std::string& name) {
  return inner_.Find(name);
}

int64_t FaultyFiles::FileLength(const std::string& name) {
  return Hit(FileOp::Length, name) ? -1 : inner_.FileLength(name);
}

IoStatus FaultyFiles::ReadFile(const std::string& name, std::string& out) {
  if (auto status = Hit(FileOp::Read, name)) {
    out.clear();
    return *status;
  }
  return inner_.ReadFile(name, out);
}

IoStatus FaultyFiles::ReplaceFile(const std::string& path, const void* data, size_t size,
                                  const platform::FileTime* writeTimeUtc) {
  if (auto status = Hit(FileOp::Replace, path))
    return *status;
  return inner_.ReplaceFile(path, data, size, writeTimeUtc);
}

bool FaultyFiles::SetWriteTime(const std::string& path, platform::FileTime utc) {
  return !Hit(FileOp::SetWriteTime, path) && inner_.SetWriteTime(path, utc);
}

std::string FaultyFiles::CurrentFolder() {
  return inner_.CurrentFolder();
}

bool FaultyFiles::SetCurrentFolder(const std::string& path) {
  return inner_.SetCurrentFolder(path);
}

std::string FaultyFiles::TempPath() {
  {
    platform::LockGuard guard(lock_);
    if (tempPath_)
      return *tempPath_;
  }
  return inner_.TempPath();
}

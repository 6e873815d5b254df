// Special folders by CSIDL number, and the user's temporary folder.
#include "instutils/Paths.h"

#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/Threads.h"

namespace {

// The memo in force and its thread. Only that thread reads or changes the
// memo's folders, so the lock guards these two fields alone.
struct MemoInForce {
  platform::Lock lock;
  TSpecialFolderMemo* memo = nullptr;
  uint64_t thread = 0;
};

MemoInForce& InForce() {
  static MemoInForce inForce;
  return inForce;
}

std::string AskSystem(int csidl) {
  return platform::Current().shell->FolderPath(csidl).value_or("");
}

} // namespace

TSpecialFolderMemo::TSpecialFolderMemo() {
  MemoInForce& state = InForce();
  platform::LockGuard guard(state.lock);
  if (state.memo)
    return;
  state.memo = this;
  state.thread = platform::CurrentThreadId();
  inForce_ = true;
}

TSpecialFolderMemo::~TSpecialFolderMemo() {
  if (!inForce_)
    return;
  MemoInForce& state = InForce();
  platform::LockGuard guard(state.lock);
  state.memo = nullptr;
}

std::string GetSpecialFolder(int csidl) {
  TSpecialFolderMemo* memo = nullptr;
  {
    MemoInForce& state = InForce();
    platform::LockGuard guard(state.lock);
    if (state.memo && state.thread == platform::CurrentThreadId())
      memo = state.memo;
  }
  if (!memo)
    return AskSystem(csidl);
  const auto known = memo->folders_.find(csidl);
  if (known != memo->folders_.end())
    return known->second;
  return memo->folders_.emplace(csidl, AskSystem(csidl)).first->second;
}

std::string GetTempDir() {
  std::string dir = platform::Fs().TempPath();
  if (!DirExists(dir))
    dir = GetSpecialFolder(csidl::kPersonal);
  AddTrailingBackslash(dir);
  return dir;
}

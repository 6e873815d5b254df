// The shared status record: its state transitions and the waits on them.
#include "engine/InstallStatus.h"

#include <algorithm>

TInstallThreadStatus InstallStatus;

bool TInstallThreadStatus::In(TInstallState s, std::initializer_list<TInstallState> states) {
  return std::find(states.begin(), states.end(), s) != states.end();
}

// Called with the mutex held.
void TInstallThreadStatus::Store(TInstallState s) {
  State_.store(s, std::memory_order_release);
  Changed_.notify_all();
}

void TInstallThreadStatus::SetState(TInstallState s) {
  std::lock_guard<std::mutex> lock(Mutex_);
  Store(s);
}

bool TInstallThreadStatus::ChangeState(TInstallState expected, TInstallState desired) {
  return ChangeState({expected}, desired);
}

bool TInstallThreadStatus::ChangeState(std::initializer_list<TInstallState> expected,
                                       TInstallState desired) {
  std::lock_guard<std::mutex> lock(Mutex_);
  if (!In(State(), expected))
    return false;
  Store(desired);
  return true;
}

TInstallState TInstallThreadStatus::WaitWhile(TInstallState s) {
  return WaitWhile({s});
}

TInstallState TInstallThreadStatus::WaitWhile(std::initializer_list<TInstallState> states) {
  std::unique_lock<std::mutex> lock(Mutex_);
  Changed_.wait(lock, [&] { return !In(State(), states); });
  return State();
}

TInstallState TInstallThreadStatus::WaitWhileFor(TInstallState s,
                                                 std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(Mutex_);
  Changed_.wait_for(lock, timeout, [&] { return State() != s; });
  return State();
}

bool TInstallThreadStatus::WaitUntilFor(TInstallState s, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(Mutex_);
  return Changed_.wait_for(lock, timeout, [&] { return State() == s; });
}

void TInstallThreadStatus::Reset() {
  SetState(tsIdle);
  CurComp = 255;
  Position = 0;
  MsgText.clear();
  MsgType = 0;
  MsgButtons = 0;
  MsgResult = 0;
}

// The shared status record: its state transitions and the waits on them.
#include "engine/InstallStatus.h"

#include <algorithm>
#include <limits>

TInstallThreadStatus InstallStatus;

bool TInstallThreadStatus::In(TInstallState s, std::initializer_list<TInstallState> states) {
  return std::find(states.begin(), states.end(), s) != states.end();
}

// Called with the lock held.
void TInstallThreadStatus::Store(TInstallState s) {
  State_.store(s, std::memory_order_release);
  Changed_.NotifyAll();
}

template <typename Done>
bool TInstallThreadStatus::WaitFor(Done done, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  while (!done()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
      return false;
    const auto limit = std::numeric_limits<uint32_t>::max() - 1;
    Changed_.Wait(Lock_, uint32_t(std::min<long long>(left, limit)));
  }
  return true;
}

void TInstallThreadStatus::SetState(TInstallState s) {
  platform::LockGuard lock(Lock_);
  Store(s);
}

bool TInstallThreadStatus::ChangeState(TInstallState expected, TInstallState desired) {
  return ChangeState({expected}, desired);
}

bool TInstallThreadStatus::ChangeState(std::initializer_list<TInstallState> expected,
                                       TInstallState desired) {
  platform::LockGuard lock(Lock_);
  if (!In(State(), expected))
    return false;
  Store(desired);
  return true;
}

TInstallState TInstallThreadStatus::WaitWhile(TInstallState s) {
  return WaitWhile({s});
}

TInstallState TInstallThreadStatus::WaitWhile(std::initializer_list<TInstallState> states) {
  platform::LockGuard lock(Lock_);
  while (In(State(), states))
    Changed_.Wait(Lock_);
  return State();
}

TInstallState TInstallThreadStatus::WaitWhileFor(TInstallState s,
                                                 std::chrono::milliseconds timeout) {
  platform::LockGuard lock(Lock_);
  WaitFor([&] { return State() != s; }, timeout);
  return State();
}

bool TInstallThreadStatus::WaitUntilFor(TInstallState s, std::chrono::milliseconds timeout) {
  platform::LockGuard lock(Lock_);
  return WaitFor([&] { return State() == s; }, timeout);
}

void TInstallThreadStatus::Reset() {
  SetState(tsIdle);
  CurComp = 255;
  Position = 0;
  MsgText = {};
  MsgType = 0;
  MsgButtons = 0;
  MsgResult = 0;
}

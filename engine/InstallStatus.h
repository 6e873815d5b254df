// The record the install thread and the user-interface thread share, and the
// transitions each side may make on it.
#pragma once

#include "engine/MessageKinds.h"
#include "platform/MessageText.h"
#include "platform/Threads.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>

enum TInstallState : uint8_t {
  tsIdle = 0,
  tsRunning = 1,
  tsPaused = 2,
  tsStop = 3,
  tsFailed = 4,
  tsAsking = 5,
  tsAnswered = 6,
};

// The state byte is atomic so that either side may read it at any time
// without a lock. Every change goes through the mutex, so that a
// compare-and-swap and the wake-up of a waiting side cannot be lost between
// a waiter's test and its sleep. The lock and the wait come from the platform
// layer (Win32 primitives on Windows, the standard library natively).
class TInstallThreadStatus {
public:
  TInstallState State() const { return TInstallState(State_.load(std::memory_order_acquire)); }
  // Sets the state unconditionally and wakes every waiting side.
  void SetState(TInstallState s);
  // Moves from expected to desired only if the state is still expected.
  bool ChangeState(TInstallState expected, TInstallState desired);
  // Moves to desired only if the state is one of expected.
  bool ChangeState(std::initializer_list<TInstallState> expected, TInstallState desired);

  // Blocks while the state is one of these (no spinning); returns the new state.
  TInstallState WaitWhile(TInstallState s);
  TInstallState WaitWhile(std::initializer_list<TInstallState> states);
  // Like WaitWhile, giving up after timeout; returns the state then.
  TInstallState WaitWhileFor(TInstallState s, std::chrono::milliseconds timeout);
  // Blocks until the state is s or timeout has passed; true when it is s.
  bool WaitUntilFor(TInstallState s, std::chrono::milliseconds timeout);

  // Back to the start-of-program values (no thread may be using the record).
  void Reset();

  // Written by the worker only, read by the wizard's timer.
  std::atomic<uint8_t> CurComp{255};
  std::atomic<int32_t> Position{0};

  // A dialog request: written by the worker before it announces tsAsking.
  platform::MessageText MsgText;
  uint8_t MsgType = 0;
  uint16_t MsgButtons = 0;
  // The answer: written by the wizard before it announces tsAnswered.
  int32_t MsgResult = 0;

private:
  void Store(TInstallState s);
  static bool In(TInstallState s, std::initializer_list<TInstallState> states);
  // Waits, with the lock held, until done() or the time is up; true when done().
  template <typename Done> bool WaitFor(Done done, std::chrono::milliseconds timeout);

  std::atomic<uint8_t> State_{tsIdle};
  platform::Lock Lock_;
  platform::Condition Changed_;
};

extern TInstallThreadStatus InstallStatus;

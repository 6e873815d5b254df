// Threads, locks and waits for the program's two threads. On Windows they are
// built on what Windows 2000 offers (CreateThread, critical sections, kernel
// semaphores and events), with no threads library; natively on the standard
// library, so that ThreadSanitizer follows them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// Waits without a limit.
constexpr uint32_t kInfinite = 0xFFFFFFFFu;

// One operating-system thread running one function.
class Thread {
public:
  Thread();
  // Waits for the thread to end.
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts body on a new thread; false when none could be created (body is
  // then not run). A thread object starts at most one thread.
  bool Start(std::function<void()> body);
  // Waits until the thread has ended; returns at once when none was started
  // or it was joined already.
  void Join();
  bool Joinable() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// An identifier of the calling thread, unique among the running threads.
uint64_t CurrentThreadId();

// Sleeps the calling thread for at least ms milliseconds.
void SleepFor(uint32_t ms);

// A lock for one thread at a time (not recursive).
class Lock {
public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Acquire();
  void Release();

private:
  friend class Condition;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Holds a lock for a scope.
class LockGuard {
public:
  explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Acquire(); }
  ~LockGuard() { lock_.Release(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

private:
  Lock& lock_;
};

// Threads waiting, under a lock, for a change another thread announces.
// A wait may end early without an announcement: callers test their
// condition again in a loop.
class Condition {
public:
  Condition();
  ~Condition();
  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;

  // Releases lock (held by the caller), waits for NotifyAll or timeoutMs, and
  // acquires lock again. False when the time ran out.
  bool Wait(Lock& lock, uint32_t timeoutMs = kInfinite);
  // Wakes every thread waiting now. Call with the lock held.
  void NotifyAll();

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A flag threads can wait for: once set it stays set until reset.
class Event {
public:
  Event();
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  // True when the event is set, waiting up to timeoutMs for it.
  bool Wait(uint32_t timeoutMs = kInfinite);

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

} // namespace platform

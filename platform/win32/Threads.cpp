// Threads, locks and waits on Win32 primitives that Windows 2000 has:
// CreateThread, critical sections and kernel events. No threads library, so
// the program imports nothing newer than the oldest supported system.
#include "platform/Threads.h"

#include "platform/win32/WindowsSupport.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

DWORD WINAPI RunBody(LPVOID parameter) {
  const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
  (*body)();
  return 0;
}

} // namespace

struct Thread::Impl {
  HANDLE handle = nullptr;
};

Thread::Thread() : impl_(std::make_unique<Impl>()) {}

Thread::~Thread() {
  Join();
}

bool Thread::Start(std::function<void()> body) {
  if (impl_->handle)
    return false;
  auto* owned = new std::function<void()>(std::move(body));
  impl_->handle = CreateThread(nullptr, 0, RunBody, owned, 0, nullptr);
  if (impl_->handle)
    return true;
  delete owned;
  return false;
}

void Thread::Join() {
  if (!impl_->handle)
    return;
  WaitForSingleObject(impl_->handle, INFINITE);
  CloseHandle(impl_->handle);
  impl_->handle = nullptr;
}

bool Thread::Joinable() const {
  return impl_->handle != nullptr;
}

uint64_t CurrentThreadId() {
  return GetCurrentThreadId();
}

void SleepFor(uint32_t ms) {
  Sleep(ms);
}

struct Lock::Impl {
  CRITICAL_SECTION section;
};

Lock::Lock() : impl_(std::make_unique<Impl>()) {
  InitializeCriticalSection(&impl_->section);
}

Lock::~Lock() {
  DeleteCriticalSection(&impl_->section);
}

void Lock::Acquire() {
  EnterCriticalSection(&impl_->section);
}

void Lock::Release() {
  LeaveCriticalSection(&impl_->section);
}

// Windows 2000 has no condition variables: every waiter registers an event of
// its own under the lock, and NotifyAll sets the events registered so far, so
// that a wake-up can be neither lost nor taken by a later waiter.
struct Condition::Impl {
  std::vector<HANDLE> waiters; // guarded by the caller's lock
};

Condition::Condition() : impl_(std::make_unique<Impl>()) {}
Condition::~Condition() = default;

bool Condition::Wait(Lock& lock, uint32_t timeoutMs) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!event) {
    // Out of handles: a short sleep, after which the caller tests again.
    lock.Release();
    Sleep(std::min<uint32_t>(timeoutMs, 10));
    lock.Acquire();
    return false;
  }
  impl_->waiters.push_back(event);
  lock.Release();
  const bool signalled = WaitForSingleObject(event, timeoutMs) == WAIT_OBJECT_0;
  lock.Acquire();
  // Still registered after a time-out unless NotifyAll came in between.
  auto& waiters = impl_->waiters;
  waiters.erase(std::remove(waiters.begin(), waiters.end(), event), waiters.end());
  CloseHandle(event);
  return signalled;
}

void Condition::NotifyAll() {
  for (HANDLE event : impl_->waiters)
    SetEvent(event);
  impl_->waiters.clear();
}

struct Event::Impl {
  HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

Event::Event() : impl_(std::make_unique<Impl>()) {}

Event::~Event() {
  if (impl_->handle)
    CloseHandle(impl_->handle);
}

void Event::Set() {
  SetEvent(impl_->handle);
}

void Event::Reset() {
  ResetEvent(impl_->handle);
}

bool Event::Wait(uint32_t timeoutMs) {
  return WaitForSingleObject(impl_->handle, timeoutMs) == WAIT_OBJECT_0;
}

} // namespace platform

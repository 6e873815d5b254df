// Threads, locks and waits on the standard library.
#include "platform/Threads.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

struct Thread::Impl {
  std::thread thread;
};

Thread::Thread() : impl_(std::make_unique<Impl>()) {}

Thread::~Thread() {
  Join();
}

bool Thread::Start(std::function<void()> body) {
  if (impl_->thread.joinable())
    return false;
  try {
    impl_->thread = std::thread(std::move(body));
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void Thread::Join() {
  if (impl_->thread.joinable())
    impl_->thread.join();
}

bool Thread::Joinable() const {
  return impl_->thread.joinable();
}

uint64_t CurrentThreadId() {
  return std::hash<std::thread::id>{}(std::this_thread::get_id());
}

void SleepFor(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct Lock::Impl {
  std::mutex mutex;
};

Lock::Lock() : impl_(std::make_unique<Impl>()) {}
Lock::~Lock() = default;

void Lock::Acquire() {
  impl_->mutex.lock();
}

void Lock::Release() {
  impl_->mutex.unlock();
}

struct Condition::Impl {
  std::condition_variable changed;
};

Condition::Condition() : impl_(std::make_unique<Impl>()) {}
Condition::~Condition() = default;

bool Condition::Wait(Lock& lock, uint32_t timeoutMs) {
  std::unique_lock<std::mutex> held(lock.impl_->mutex, std::adopt_lock);
  bool signalled = true;
  if (timeoutMs == kInfinite)
    impl_->changed.wait(held);
  else
    signalled = impl_->changed.wait_for(held, std::chrono::milliseconds(timeoutMs)) ==
                std::cv_status::no_timeout;
  held.release(); // the caller still holds the lock
  return signalled;
}

void Condition::NotifyAll() {
  impl_->changed.notify_all();
}

struct Event::Impl {
  std::mutex mutex;
  std::condition_variable changed;
  bool set = false;
};

Event::Event() : impl_(std::make_unique<Impl>()) {}
Event::~Event() = default;

void Event::Set() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->set = true;
  impl_->changed.notify_all();
}

void Event::Reset() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->set = false;
}

bool Event::Wait(uint32_t timeoutMs) {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  const auto isSet = [this] { return impl_->set; };
  if (timeoutMs == kInfinite) {
    impl_->changed.wait(lock, isSet);
    return true;
  }
  return impl_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSet);
}

} // namespace platform

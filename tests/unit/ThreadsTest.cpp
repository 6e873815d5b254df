// The platform's threads, locks and waits, on which the install protocol
// rests: a notification reaches every waiter, a timed wait ends, an event
// stays set, a thread's work is seen once it is joined.
#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kPatienceMs = 20000;

TEST(PlatformThreads, ThreadRunsItsBodyAndJoinSeesItsWork) {
  int value = 0;
  platform::Thread thread;
  EXPECT_FALSE(thread.Joinable());
  ASSERT_TRUE(thread.Start([&] { value = 42; }));
  EXPECT_TRUE(thread.Joinable());
  EXPECT_FALSE(thread.Start([] {})); // one thread per object
  thread.Join();
  EXPECT_FALSE(thread.Joinable());
  EXPECT_EQ(value, 42);
  thread.Join(); // a second join returns at once
}

TEST(PlatformThreads, EachThreadHasItsOwnId) {
  const uint64_t mine = platform::CurrentThreadId();
  EXPECT_EQ(platform::CurrentThreadId(), mine);
  uint64_t other = mine;
  platform::Thread thread;
  ASSERT_TRUE(thread.Start([&] { other = platform::CurrentThreadId(); }));
  thread.Join();
  EXPECT_NE(other, mine);
}

// Every waiter present when NotifyAll is called wakes, none is lost and none
// takes another's wake-up.
TEST(PlatformThreads, NotifyAllWakesEveryWaiter) {
  platform::Lock lock;
  platform::Condition changed;
  int generation = 0;
  int waiting = 0;
  std::atomic<int> woken{0};
  std::vector<std::unique_ptr<platform::Thread>> threads;
  for (int i = 0; i < 4; ++i) {
    threads.push_back(std::make_unique<platform::Thread>());
    ASSERT_TRUE(threads.back()->Start([&] {
      platform::LockGuard guard(lock);
      ++waiting;
      while (generation == 0)
        changed.Wait(lock);
      ++woken;
    }));
  }
  for (;;) {
    platform::LockGuard guard(lock);
    if (waiting == 4)
      break;
    changed.Wait(lock, 1);
  }
  {
    platform::LockGuard guard(lock);
    generation = 1;
    changed.NotifyAll();
  }
  for (auto& thread : threads)
    thread->Join();
  EXPECT_EQ(woken, 4);
}

TEST(PlatformThreads, TimedWaitEndsWithoutANotification) {
  platform::Lock lock;
  platform::Condition changed;
  platform::LockGuard guard(lock);
  EXPECT_FALSE(changed.Wait(lock, 20));
}

TEST(PlatformThreads, EventStaysSetUntilReset) {
  platform::Event event;
  EXPECT_FALSE(event.Wait(0));
  platform::Thread setter;
  ASSERT_TRUE(setter.Start([&] { event.Set(); }));
  EXPECT_TRUE(event.Wait(kPatienceMs));
  EXPECT_TRUE(event.Wait(0));
  setter.Join();
  event.Reset();
  EXPECT_FALSE(event.Wait(10));
}

TEST(PlatformThreads, LockKeepsCountsWhole) {
  platform::Lock lock;
  int count = 0;
  const auto add = [&] {
    for (int i = 0; i < 20000; ++i) {
      platform::LockGuard guard(lock);
      ++count;
    }
  };
  platform::Thread other;
  ASSERT_TRUE(other.Start(add));
  add();
  other.Join();
  EXPECT_EQ(count, 40000);
}

} // namespace

// GoogleTest's Notification on the platform's event. GoogleTest builds its own
// on std::mutex, which the win32 thread model does not have; this one is
// force-included into GoogleTest and the tests of the Windows build instead
// (see tests/CMakeLists.txt).
#pragma once

#include "platform/Threads.h"

namespace testing::internal {

class Notification {
public:
  void Notify() { event_.Set(); }
  void WaitForNotification() { event_.Wait(); }

private:
  platform::Event event_;
};

} // namespace testing::internal

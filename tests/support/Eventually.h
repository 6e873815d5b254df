// Waiting for what another process brings about (a folder made, a file
// written): the condition is polled until it holds or the patience runs out.
#pragma once

#include "platform/Threads.h"

#include <chrono>

// Long enough for a loaded machine; reached only when the awaited thing never comes.
inline constexpr std::chrono::milliseconds kEventuallyPatience{30000};

// Polls done every 50 ms; true as soon as it holds, false after patience.
template <typename Condition>
bool Eventually(Condition done, std::chrono::milliseconds patience = kEventuallyPatience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    platform::SleepFor(50);
  }
  return true;
}

// The set of operating-system services the program runs on. Logic reaches
// them through Current(); a test replaces one or all of them for a scope,
// for example with a wrapper that fails on cue.
#pragma once

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Volumes.h"

namespace platform {

struct Platform {
  Files* files;
  Volumes* volumes;
  Shell* shell;
  Clock* clock;
  Registry* registry;
  Processes* processes;
  System* system;
};

// The services in force: the machine's own unless a ScopedPlatform replaced them.
const Platform& Current();

// The machine's own services (built on first use; see platform/win32 and
// platform/posix).
const Platform& Native();

// Puts other services in force until destroyed. Not thread-safe: make the
// change before starting threads that use the platform.
class ScopedPlatform {
public:
  explicit ScopedPlatform(const Platform& replacement);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
  const Platform* previous_;
  Platform replacement_;
};

inline Files& Fs() {
  return *Current().files;
}

} // namespace platform

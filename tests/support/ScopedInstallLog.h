// A fresh, empty install log in force for one test, with logging active;
// released afterwards so that the next test starts without a log.
#pragma once

#include "instutils/InstallLog.h"

#include <string>
#include <vector>

class ScopedInstallLog {
public:
  ScopedInstallLog() {
    NewInstallLog();
    LogSuspendCount = 0;
  }
  ~ScopedInstallLog() {
    FreeInstallLog();
    LogSuspendCount = 0;
  }
  ScopedInstallLog(const ScopedInstallLog&) = delete;
  ScopedInstallLog& operator=(const ScopedInstallLog&) = delete;

  std::vector<std::string> Lines() const { return InstallLog->Lines(); }
};

// The order in which the word processor is started for the user, over the
// system's calls so that a test can answer them: never with the
// administrator's rights of an elevated setup.
#pragma once

#include <string>

namespace platform::win32 {

// The ways of starting a program.
class LaunchWays {
public:
  virtual ~LaunchWays() = default;
  // True when this process runs elevated.
  virtual bool Elevated() = 0;
  // Asks the desktop's shell to start program in folder; false when it cannot.
  virtual bool ThroughDesktopShell(const std::string& program, const std::string& folder,
                                   int showCommand) = 0;
  // Starts commandLine as this process would (CreateProcess in folder, else
  // WinExec).
  virtual void Directly(const std::string& commandLine, const std::string& folder,
                        int showCommand) = 0;
};

// Not elevated: starts it directly. Elevated: only the desktop's shell may
// start it, as the signed-in user; when the shell cannot, the program is not
// started, and the result is false.
bool LaunchAsUser(LaunchWays& ways, const std::string& program, const std::string& commandLine,
                  const std::string& folder, int showCommand);

} // namespace platform::win32

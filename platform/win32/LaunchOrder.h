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
  // Starts commandLine in folder with a standard user's rights; false when
  // it cannot.
  virtual bool AsStandardUser(const std::string& commandLine, const std::string& folder,
                              int showCommand) = 0;
  // Starts commandLine as this process would (CreateProcess in folder, else
  // WinExec).
  virtual void Directly(const std::string& commandLine, const std::string& folder,
                        int showCommand) = 0;
};

// Not elevated: starts it directly. Elevated: the desktop's shell starts it
// as the signed-in user, or, when the shell cannot, it is started with a
// standard user's rights; when neither can, it is not started at all, and the
// result is false. It never gets this process's administrator's rights.
bool LaunchAsUser(LaunchWays& ways, const std::string& program, const std::string& commandLine,
                  const std::string& folder, int showCommand);

} // namespace platform::win32

// Other programs: starting them, and finding their windows.
#pragma once

#include <string>

namespace platform {

class Processes {
public:
  virtual ~Processes() = default;

  // WinExec: starts a command line without waiting; the WinExec result
  // (greater than 31 on success).
  virtual unsigned Exec(const std::string& commandLine, int showCommand) = 0;
  // Starts an installed program for the user without waiting: as the
  // signed-in user where this process runs elevated, with folder as its
  // current folder and the system's default error mode. Where that cannot be
  // done, Exec(commandLine, showCommand); but an elevated process that can
  // start it neither as the signed-in user nor with a standard user's rights
  // does not start it at all (it would run with the administrator's rights),
  // and returns false. program is the file
  // commandLine starts, commandLine exactly what it is given. Not pure, so
  // that test doubles written before it start it with Exec.
  virtual bool Launch(const std::string& program, const std::string& commandLine,
                      const std::string& folder, int showCommand) {
    static_cast<void>(program);
    static_cast<void>(folder);
    Exec(commandLine, showCommand);
    return true;
  }
  // EnumWindows over the top-level windows with GetPropA(name): true when
  // one window carries a non-zero property of that name.
  virtual bool AnyTopLevelWindowHasProperty(const std::string& name) = 0;
};

} // namespace platform

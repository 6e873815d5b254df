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
  // EnumWindows over the top-level windows with GetPropA(name): true when
  // one window carries a non-zero property of that name.
  virtual bool AnyTopLevelWindowHasProperty(const std::string& name) = 0;
};

} // namespace platform

// Starting the word processor for the user, never elevated.
#include "platform/win32/LaunchOrder.h"

namespace platform::win32 {

bool LaunchAsUser(LaunchWays& ways, const std::string& program, const std::string& commandLine,
                  const std::string& folder, int showCommand) {
  if (ways.Elevated())
    return ways.ThroughDesktopShell(program, folder, showCommand) ||
           ways.AsStandardUser(commandLine, folder, showCommand);
  ways.Directly(commandLine, folder, showCommand);
  return true;
}

} // namespace platform::win32

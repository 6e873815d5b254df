// Starting a program as the signed-in user from an elevated process: the
// desktop's shell (its explorer) runs without elevation, so a program it
// starts for us runs as the user would have started it.
#pragma once

#include <string>

namespace platform::win32 {

// True when this process runs elevated (with UAC's full administrator
// token); false where the system has no elevation or cannot tell.
bool ProcessIsElevated();

// Asks the desktop's shell to start program (a full path, no arguments) in
// folder; false when there is no desktop shell to ask or it refused.
bool LaunchThroughDesktopShell(const std::string& program, const std::string& folder,
                               int showCommand);

} // namespace platform::win32

// Starting a program for the user. From an elevated process, as the
// signed-in user: the desktop's shell (its explorer) runs without elevation,
// so a program it starts for us runs as the user would have started it.
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

// CreateProcessA with the command line as given, in folder, with the
// system's default error mode instead of the setup's; false when it fails.
// With a token (a HANDLE), CreateProcessAsUserA starts it as that token's user.
bool StartIn(const std::string& commandLine, const std::string& folder, int showCommand,
             void* asUser = nullptr);

// Starts commandLine in folder with the rights of a standard user: this
// process's token without the Administrators group and the privileges (the
// system's normal-user level), at medium integrity where the system has
// integrity levels. False where the system lacks that level (before XP) or
// the program could not be started so.
bool LaunchAsStandardUser(const std::string& commandLine, const std::string& folder,
                          int showCommand);

} // namespace platform::win32

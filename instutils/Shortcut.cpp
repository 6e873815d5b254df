// One program shortcut, made through the system's shell-link object and
// recorded in the install log like an installed file.
#include "instutils/Shortcut.h"

#include "instutils/InstallLog.h"
#include "instutils/Paths.h"

#include "platform/Platform.h"

// Without a shell-link service there is no shortcut and no log line. A failed
// setter or save is not reported: the line is recorded all the same.
void CreateShortcut(const std::string& linkFile, const std::string& target,
                    const std::string& workingFolder, const std::string& description) {
  std::unique_ptr<platform::ShellLink> link = platform::Current().shell->NewShellLink();
  if (!link)
    return;
  link->SetPath(target);
  link->SetWorkingDirectory(workingFolder);
  link->SetDescription(description);
  ForceDir(ExtractFolder(linkFile));
  link->Save(linkFile);
  AddLogLine("File Copy: " + linkFile);
}

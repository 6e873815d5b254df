// Starting programs (WinExec; the word processor for the user) and finding
// windows by a property.
#include "platform/Processes.h"

#include "platform/win32/DesktopShellLaunch.h"
#include "platform/win32/Handles.h"
#include "platform/win32/LaunchOrder.h"
#include "platform/win32/Services.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

bool StartIn(const std::string& commandLine, const std::string& folder, int showCommand,
             void* asUser) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION started = {};
  std::string line = commandLine; // CreateProcess may write into it
  const char* where = folder.empty() ? nullptr : folder.c_str();
  const BOOL ok =
      asUser ? CreateProcessAsUserA(asUser, nullptr, line.data(), nullptr, nullptr, FALSE,
                                    CREATE_DEFAULT_ERROR_MODE, nullptr, where, &startup, &started)
             : CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                              CREATE_DEFAULT_ERROR_MODE, nullptr, where, &startup, &started);
  if (!ok)
    return false;
  const FileHandle process(started.hProcess), thread(started.hThread);
  return true;
}

namespace {

struct PropertySearch {
  const char* name;
  bool found;
};

BOOL CALLBACK FindWindowWithProperty(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<PropertySearch*>(param);
  if (!GetPropA(window, search->name))
    return TRUE;
  search->found = true;
  return FALSE;
}

// The system's own ways of starting a program.
class SystemLaunchWays : public LaunchWays {
public:
  bool Elevated() override { return ProcessIsElevated(); }
  bool ThroughDesktopShell(const std::string& program, const std::string& folder,
                           int showCommand) override {
    return LaunchThroughDesktopShell(program, folder, showCommand);
  }
  bool AsStandardUser(const std::string& commandLine, const std::string& folder,
                      int showCommand) override {
    return LaunchAsStandardUser(commandLine, folder, showCommand);
  }
  void Directly(const std::string& commandLine, const std::string& folder,
                int showCommand) override {
    if (!StartIn(commandLine, folder, showCommand))
      WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
  }
};

class Win32Processes : public Processes {
public:
  unsigned Exec(const std::string& commandLine, int showCommand) override {
    return WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
  }

  // An elevated setup would start it elevated: the desktop's shell starts it
  // as the user instead, else a standard user's token, else nobody.
  bool Launch(const std::string& program, const std::string& commandLine, const std::string& folder,
              int showCommand) override {
    SystemLaunchWays ways;
    return LaunchAsUser(ways, program, commandLine, folder, showCommand);
  }

  bool AnyTopLevelWindowHasProperty(const std::string& name) override {
    PropertySearch search{name.c_str(), false};
    EnumWindows(FindWindowWithProperty, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
};

} // namespace

Processes& ProcessesService() {
  static Win32Processes processes;
  return processes;
}

} // namespace platform::win32

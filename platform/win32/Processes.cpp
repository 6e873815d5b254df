// Starting programs with WinExec and finding windows by a property.
#include "platform/Processes.h"

#include "platform/win32/Services.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {
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

class Win32Processes : public Processes {
public:
  unsigned Exec(const std::string& commandLine, int showCommand) override {
    return WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
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

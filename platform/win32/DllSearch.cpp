// Hardening of the DLL search path at start-up.
#include "platform/win32/Services.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

void HardenDllSearch() {
  // Present from Windows 8 (and Windows 7 with KB2533623): looked up, not imported.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = ProcAddress<SetDefaultDllDirectoriesFn>(GetModuleHandleA("kernel32.dll"),
                                                                  "SetDefaultDllDirectories");
  if (setDefault)
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace platform::win32

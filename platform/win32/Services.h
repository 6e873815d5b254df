// The Win32 implementations of the platform services, one instance each,
// gathered by Native().
#pragma once

#include "platform/Platform.h"

namespace platform::win32 {

Files& FilesService();
Volumes& VolumesService();
Shell& ShellService();
Clock& ClockService();
Registry& RegistryService();
Processes& ProcessesService();
System& SystemService();

// Restricts the DLL search path to System32 where the system allows it, so
// that a DLL planted beside the program (a Downloads folder) is never loaded.
void HardenDllSearch();

} // namespace platform::win32

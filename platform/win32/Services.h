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

} // namespace platform::win32

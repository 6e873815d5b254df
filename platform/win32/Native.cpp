// The machine's own services on Windows.
#include "platform/win32/Services.h"
#include "platform/win32/SystemDlls.h"

namespace platform {

const Platform& Native() {
  static const Platform native = [] {
    // First, before any service touches a drive or the shell service loads
    // its DLLs.
    win32::PrepareProcess();
    return Platform{&win32::FilesService(), &win32::VolumesService(),  &win32::ShellService(),
                    &win32::ClockService(), &win32::RegistryService(), &win32::ProcessesService(),
                    &win32::SystemService()};
  }();
  return native;
}

} // namespace platform

// The one place that includes the Windows headers, for the Win32 platform
// layer and the tests of it. The program targets Windows 2000; newer
// functions are looked up at run time (see ProcAddress).
#pragma once

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>
#include <winioctl.h>
#include <winnetwk.h>

// Files::ReplaceFile would otherwise become ReplaceFileA; the Win32 function
// is not used by its generic name.
#undef ReplaceFile

namespace platform::win32 {

// A function of a loaded module by name, typed; null when the module lacks it.
template <typename Fn> Fn ProcAddress(HMODULE module, const char* name) {
  if (!module)
    return nullptr;
  // Through void(*)(), the one function type GCC lets any other convert to
  // without -Wcast-function-type.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace platform::win32

// DLLs loaded at run time, always by their full path in the system folder, and
// the functions the program takes from them when the system has them. An
// installer is often started from a Downloads folder: a DLL of the same name
// planted beside it must never be loaded instead of the system's own.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <string>

namespace platform::win32 {

// "<system folder>\name"; empty when the system folder is unknown.
std::string SystemDllPath(const char* name);

// Loads name from the system folder, never through the search path; null when
// it cannot be loaded.
HMODULE LoadSystemDll(const char* name);

// Functions looked up once, on first use; each is null where the system
// lacks it, and every caller checks.
struct DynamicCalls {
  // kernel32, Windows 8 (and 7 with an update).
  BOOL(WINAPI* SetDefaultDllDirectories)(DWORD) = nullptr;
  // kernel32, Windows XP SP1.
  BOOL(WINAPI* SetDllDirectoryA)(LPCSTR) = nullptr;
  // mpr, every version: loaded at run time so that mpr.dll is no load-time import.
  DWORD(WINAPI* WNetGetConnectionA)(LPCSTR, LPSTR, LPDWORD) = nullptr;
};
const DynamicCalls& Dyn();

// Sets the process-wide error mode once, so that a drive without a medium
// answers "not there" instead of showing the system's "No disk" box, and
// restricts the DLL search path. Called first thing, before anything touches
// a drive or loads a DLL.
void PrepareProcess();

} // namespace platform::win32

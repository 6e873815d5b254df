// DLLs loaded at run time, always by their full path in the system folder, and
// the functions the program takes from them when the system has them. An
// installer is often started from a Downloads folder: a DLL of the same name
// planted beside it must never be loaded instead of the system's own, nor
// one that a system DLL itself depends on.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <winsafer.h>

#include <string>

namespace platform::win32 {

// "<system folder>\name"; empty when the system folder is unknown.
std::string SystemDllPath(const char* name);

// Loads name from the system folder by full path, its own dependencies
// looked for in the system folder too (LOAD_LIBRARY_SEARCH_SYSTEM32 once the
// search path is restricted, else LOAD_WITH_ALTERED_SEARCH_PATH), never beside
// the program; null when it cannot be loaded.
HMODULE LoadSystemDll(const char* name);

// Functions looked up once, on first use; each is null where the system
// lacks it, and every caller checks. Looking them up loads nothing.
struct DynamicCalls {
  // kernel32, Windows 8 (and 7 with an update).
  BOOL(WINAPI* SetDefaultDllDirectories)(DWORD) = nullptr;
  // kernel32, Windows XP SP1.
  BOOL(WINAPI* SetDllDirectoryA)(LPCSTR) = nullptr;
  // advapi32, Windows XP: the system's standard-user token.
  BOOL(WINAPI* SaferCreateLevel)(DWORD, DWORD, DWORD, SAFER_LEVEL_HANDLE*, LPVOID) = nullptr;
  BOOL(WINAPI* SaferComputeTokenFromLevel)
  (SAFER_LEVEL_HANDLE, HANDLE, PHANDLE, DWORD, LPVOID) = nullptr;
  BOOL(WINAPI* SaferCloseLevel)(SAFER_LEVEL_HANDLE) = nullptr;
};
const DynamicCalls& Dyn();

// mpr, every version: loaded on first use, after the search path has been
// restricted, so that mpr.dll is no load-time import. Null when it cannot be
// loaded.
using WNetGetConnectionAFn = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
WNetGetConnectionAFn NetworkConnectionCall();

// Sets the process-wide error mode once, so that a drive without a medium
// answers "not there" instead of showing the system's "No disk" box, and
// restricts the DLL search path. Called first thing, before anything touches
// a drive or loads a DLL.
void PrepareProcess();

// Restricts the DLL search path to the system folder where the system can;
// elsewhere removes the current folder from it and loads by full path the
// DLLs that system libraries load on demand by bare name.
void RestrictDllSearch();

// The loader's calls into the system. A test replaces them (the fault seam)
// to play a system that lacks a call or to record what is loaded and how.
struct DllLoaderCalls {
  BOOL(WINAPI* SetDefaultDllDirectories)(DWORD); // null: the system lacks it
  BOOL(WINAPI* SetDllDirectoryA)(LPCSTR);        // null: the system lacks it
  HMODULE(WINAPI* LoadLibraryExA)(LPCSTR, HANDLE, DWORD);
};
// calls until the next call; null goes back to the system's own.
void ReplaceDllLoaderCalls(const DllLoaderCalls* calls);

} // namespace platform::win32

// Loading by full system path, the table of looked-up functions, and the
// hardening of the DLL search path at start-up.
#include "platform/win32/SystemDlls.h"

namespace platform::win32 {
namespace {

// DLLs that system libraries load on demand by bare name. Where the search
// path cannot be restricted to the system folder, loading them first by full
// path means the later load by name finds them already in the process.
const char* const kOnDemandDlls[] = {"uxtheme.dll", "userenv.dll", "setupapi.dll",  "apphelp.dll",
                                     "propsys.dll", "dwmapi.dll",  "cryptbase.dll", "oleacc.dll",
                                     "clbcatq.dll", "version.dll"};

// Whether RestrictDllSearch restricted the search path to the system folder:
// only then does LoadLibraryExA know the LOAD_LIBRARY_SEARCH_ flags.
bool searchRestricted = false;
const DllLoaderCalls* replacedCalls = nullptr;

template <typename Fn> void Bind(Fn& target, HMODULE module, const char* name) {
  target = ProcAddress<Fn>(module, name);
}

DynamicCalls BindCalls() {
  DynamicCalls calls;
  // kernel32 is in every process already; its handle needs no load.
  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  Bind(calls.SetDefaultDllDirectories, kernel32, "SetDefaultDllDirectories");
  Bind(calls.SetDllDirectoryA, kernel32, "SetDllDirectoryA");
  // advapi32 is a load-time import: in the process already.
  const HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
  Bind(calls.SaferCreateLevel, advapi32, "SaferCreateLevel");
  Bind(calls.SaferComputeTokenFromLevel, advapi32, "SaferComputeTokenFromLevel");
  Bind(calls.SaferCloseLevel, advapi32, "SaferCloseLevel");
  return calls;
}

DllLoaderCalls Calls() {
  if (replacedCalls)
    return *replacedCalls;
  return {Dyn().SetDefaultDllDirectories, Dyn().SetDllDirectoryA, ::LoadLibraryExA};
}

} // namespace

std::string SystemDllPath(const char* name) {
  char folder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder)
    return {};
  std::string path(folder, length);
  if (path.back() != '\\')
    path += '\\';
  return path + name;
}

HMODULE LoadSystemDll(const char* name) {
  const std::string path = SystemDllPath(name);
  if (path.empty())
    return nullptr;
  const DWORD flags =
      searchRestricted ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
  return Calls().LoadLibraryExA(path.c_str(), nullptr, flags);
}

const DynamicCalls& Dyn() {
  static const DynamicCalls calls = BindCalls();
  return calls;
}

WNetGetConnectionAFn NetworkConnectionCall() {
  static const WNetGetConnectionAFn call =
      ProcAddress<WNetGetConnectionAFn>(LoadSystemDll("mpr.dll"), "WNetGetConnectionA");
  return call;
}

void RestrictDllSearch() {
  const DllLoaderCalls calls = Calls();
  searchRestricted = calls.SetDefaultDllDirectories &&
                     calls.SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (searchRestricted)
    return;
  // Removes the current folder from the search path where the call exists.
  if (calls.SetDllDirectoryA)
    calls.SetDllDirectoryA("");
  for (const char* name : kOnDemandDlls)
    LoadSystemDll(name);
}

void PrepareProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  RestrictDllSearch();
}

void ReplaceDllLoaderCalls(const DllLoaderCalls* calls) {
  replacedCalls = calls;
}

} // namespace platform::win32

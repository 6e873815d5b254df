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

template <typename Fn> void Bind(Fn& target, HMODULE module, const char* name) {
  target = ProcAddress<Fn>(module, name);
}

DynamicCalls BindCalls() {
  DynamicCalls calls;
  // kernel32 is in every process already; its handle needs no load.
  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  Bind(calls.SetDefaultDllDirectories, kernel32, "SetDefaultDllDirectories");
  Bind(calls.SetDllDirectoryA, kernel32, "SetDllDirectoryA");
  Bind(calls.WNetGetConnectionA, LoadSystemDll("mpr.dll"), "WNetGetConnectionA");
  return calls;
}

void HardenDllSearch() {
  const DynamicCalls& calls = Dyn();
  if (calls.SetDefaultDllDirectories &&
      calls.SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
    return;
  // Removes the current folder from the search path where the call exists.
  if (calls.SetDllDirectoryA)
    calls.SetDllDirectoryA("");
  for (const char* name : kOnDemandDlls)
    LoadSystemDll(name);
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
  return LoadLibraryA(path.c_str());
}

const DynamicCalls& Dyn() {
  static const DynamicCalls calls = BindCalls();
  return calls;
}

void PrepareProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HardenDllSearch();
}

} // namespace platform::win32

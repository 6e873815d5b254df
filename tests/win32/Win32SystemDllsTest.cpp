// DLLs loaded at run time come from the system folder, never through the
// search path that would find a planted copy beside the program first.
#include "platform/Platform.h"
#include "platform/win32/SystemDlls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string SystemFolder() {
  char folder[MAX_PATH + 1] = {};
  GetSystemDirectoryA(folder, sizeof folder);
  return Lower(folder);
}

std::string LoadedFrom(const char* module) {
  const HMODULE handle = GetModuleHandleA(module);
  if (!handle)
    return {};
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(handle, path, sizeof path);
  return Lower(path);
}

TEST(Win32SystemDlls, PathIsInTheSystemFolder) {
  EXPECT_EQ(Lower(platform::win32::SystemDllPath("mpr.dll")), SystemFolder() + "\\mpr.dll");
}

// mpr.dll is no load-time import (the import check reads that): the network
// drive query loads it by full path and finds WNetGetConnectionA in it.
TEST(Win32SystemDlls, NetworkDriveQueryUsesMprFromTheSystemFolder) {
  platform::Native().volumes->NetworkConnection("Z:");
  ASSERT_NE(platform::win32::NetworkConnectionCall(), nullptr);
  EXPECT_EQ(LoadedFrom("mpr.dll"), SystemFolder() + "\\mpr.dll");
}

// What the loader asked the system, in order.
std::vector<std::string> calls;

// One recorded call: what, then its argument. Built with append: "literal" +
// string trips a false -Wrestrict in GCC 12.
std::string Call(const char* what, const std::string& argument) {
  return std::string(what).append(argument);
}
std::string Load(const std::string& path, DWORD flags) {
  return Call("load ", path).append(" ").append(std::to_string(flags));
}

BOOL WINAPI RecordRestriction(DWORD flags) {
  calls.push_back(Call("restrict ", std::to_string(flags)));
  return TRUE;
}
BOOL WINAPI RecordDllDirectory(LPCSTR folder) {
  calls.push_back(Call("dll directory ", folder));
  return TRUE;
}
HMODULE WINAPI RecordLoad(LPCSTR path, HANDLE, DWORD flags) {
  calls.push_back(Load(Lower(path), flags));
  return nullptr;
}

// The start restricts the search path before anything is loaded, and loads
// no DLL of its own (mpr.dll waits for its first use); every system DLL is
// then loaded by full path with its own dependencies taken from the system
// folder: LOAD_LIBRARY_SEARCH_SYSTEM32 where the restriction took,
// LOAD_WITH_ALTERED_SEARCH_PATH on a system without it. Where neither call
// exists, the loads by full path are all the start does.
TEST(Win32SystemDlls, TheSearchPathIsRestrictedBeforeAnyLoadAndEveryLoadKeepsToTheSystem) {
  using platform::win32::DllLoaderCalls;
  const std::string mpr = SystemFolder() + "\\mpr.dll";
  struct Row {
    DllLoaderCalls system;
    std::string first, mprLoad, why; // first: the call before any load, if any
  };
  for (const Row& row : std::vector<Row>{
           {{RecordRestriction, RecordDllDirectory, RecordLoad},
            Call("restrict ", std::to_string(LOAD_LIBRARY_SEARCH_SYSTEM32)),
            Load(mpr, LOAD_LIBRARY_SEARCH_SYSTEM32),
            "Windows 8, or 7 with the update"},
           {{nullptr, RecordDllDirectory, RecordLoad},
            Call("dll directory ", ""),
            Load(mpr, LOAD_WITH_ALTERED_SEARCH_PATH),
            "Windows XP SP1 to 7"},
           {{nullptr, nullptr, RecordLoad},
            "",
            Load(mpr, LOAD_WITH_ALTERED_SEARCH_PATH),
            "Windows 2000 and XP before SP1"},
       }) {
    SCOPED_TRACE(row.why);
    calls.clear();
    platform::win32::ReplaceDllLoaderCalls(&row.system);
    platform::win32::PrepareProcess();
    std::vector<std::string> atStart = calls;
    platform::win32::LoadSystemDll("mpr.dll");
    platform::win32::ReplaceDllLoaderCalls(nullptr);
    platform::win32::RestrictDllSearch(); // back to this system's own state

    if (!row.first.empty()) {
      ASSERT_FALSE(atStart.empty());
      EXPECT_EQ(atStart.front(), row.first);
      atStart.erase(atStart.begin());
    }
    // Without the restriction the DLLs loaded on demand are loaded first.
    EXPECT_EQ(!atStart.empty(), row.system.SetDefaultDllDirectories == nullptr);
    for (const std::string& load : atStart) {
      EXPECT_TRUE(load.starts_with(Call("load ", SystemFolder()).append("\\"))) << load;
      EXPECT_TRUE(load.ends_with(Call(" ", std::to_string(LOAD_WITH_ALTERED_SEARCH_PATH)))) << load;
      EXPECT_EQ(load.find("mpr.dll"), std::string::npos) << load;
    }
    EXPECT_EQ(calls.back(), row.mprLoad);
  }
}

// Where the search path cannot be restricted (before Windows 8 without the
// update), the DLLs system libraries load on demand are already in the
// process from the system folder. Where it can, loading them is not needed.
TEST(Win32SystemDlls, OnDemandDllsComeFromTheSystemFolderWhenLoaded) {
  platform::Native();
  for (const char* name : {"version.dll", "uxtheme.dll", "userenv.dll"}) {
    const std::string from = LoadedFrom(name);
    if (!from.empty()) {
      EXPECT_EQ(from, SystemFolder() + "\\" + name);
    }
  }
}

} // namespace

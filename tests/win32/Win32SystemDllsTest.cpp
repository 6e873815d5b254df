// DLLs loaded at run time come from the system folder, never through the
// search path that would find a planted copy beside the program first.
#include "platform/Platform.h"
#include "platform/win32/SystemDlls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

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
  ASSERT_NE(platform::win32::Dyn().WNetGetConnectionA, nullptr);
  EXPECT_EQ(LoadedFrom("mpr.dll"), SystemFolder() + "\\mpr.dll");
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

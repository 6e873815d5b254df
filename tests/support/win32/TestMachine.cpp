// The test machine on Windows: the real system, with a fresh folder under
// the user's temporary folder that is removed, with all its content, when
// the test ends. Drives and cluster sizes cannot be configured here.
#include "support/TestMachine.h"

#include "platform/win32/WindowsSupport.h"

#include <atomic>
#include <cstdio>

namespace {

std::string TempFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::string NewBaseFolder() {
  static std::atomic<unsigned> counter{0};
  char name[64];
  std::snprintf(name, sizeof name, "brv-test-%lu-%u\\", GetCurrentProcessId(), counter++);
  const std::string base = TempFolder() + name;
  CreateDirectoryA(base.c_str(), nullptr);
  return base;
}

// Removes a folder ending in a backslash with everything inside it,
// read-only and hidden entries included.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..")
        continue;
      const std::string path = folder + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\");
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

} // namespace

struct TestMachine::Impl {
  std::string base;
};

TestMachine::TestMachine() : impl_(std::make_unique<Impl>()) {
  impl_->base = NewBaseFolder();
}

TestMachine::~TestMachine() {
  RemoveTree(impl_->base);
}

std::string TestMachine::Base() const {
  return impl_->base;
}

bool TestMachine::Emulated() const {
  return false;
}

bool TestMachine::AddDrive(const DriveSpec&) {
  return false;
}

bool TestMachine::SetSystemClusterSize(uint32_t) {
  return false;
}

std::string TestMachine::HostPath(const std::string& windowsPath) const {
  return windowsPath;
}

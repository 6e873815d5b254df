// Entry of the stand-in word processor on Windows: the command line exactly as
// received and the folder of its own executable.
#include "platform/win32/WindowsSupport.h"
#include "tools/kre/Kre.h"
#include "tools/kre/MainWindow.h"

#include <string>

namespace {

// The folder of this executable with its trailing backslash; "" when unknown.
std::string OwnFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return "";
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return kre::Run(GetCommandLineA(), OwnFolder(), kre::ShowMainWindowUntilClosed);
}

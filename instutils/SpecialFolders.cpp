// Special folders by CSIDL number, and the user's temporary folder.
#include "instutils/Paths.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

std::string GetSpecialFolder(int csidl) {
  return platform::Current().shell->FolderPath(csidl).value_or("");
}

std::string GetTempDir() {
  std::string dir = platform::Fs().TempPath();
  if (!DirExists(dir))
    dir = GetSpecialFolder(csidl::kPersonal);
  AddTrailingBackslash(dir);
  return dir;
}

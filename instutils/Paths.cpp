// Trailing backslashes, joining, the setup title, and the current folder with
// its save-and-restore stack.
#include "instutils/Paths.h"

#include "platform/Platform.h"
#include "platform/Threads.h"

#include <vector>

const char* const SetupTitle = "Installation du traitement de texte Brevanto (Version Light)";

namespace {
platform::Lock dirStackLock;
std::vector<std::string> dirStack;
} // namespace

void AddTrailingBackslash(std::string& path) {
  if (path.empty())
    return;
  if (path.back() == '/' || path.back() == '\\')
    path.back() = '\\';
  else
    path += '\\';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::string result = folder;
  AddTrailingBackslash(result);
  return result + name;
}

std::string CurrentDir() {
  std::string dir = platform::Fs().CurrentFolder();
  AddTrailingBackslash(dir);
  return dir;
}

void PushCurrentDir() {
  std::string dir = CurrentDir();
  platform::LockGuard guard(dirStackLock);
  dirStack.push_back(dir);
}

void PopCurrentDir() {
  std::string dir;
  {
    platform::LockGuard guard(dirStackLock);
    if (dirStack.empty())
      return;
    dir = dirStack.back();
    dirStack.pop_back();
  }
  platform::Fs().SetCurrentFolder(dir);
}

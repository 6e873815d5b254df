// The folder-existence test. It answers as "enter the folder and compare the
// current folder with the path" would, without touching the current folder,
// which the install thread and the wizard share.
#include "instutils/Paths.h"

#include "platform/Platform.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A name the system keeps as it is: not "." or "..", no character a file
// name may not hold, no trailing dot or space (full-path normalisation
// would drop those, so the path would not name itself).
bool IsPlainComponent(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ')
    return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 || std::strchr("<>:\"/\\|?*", c) != nullptr)
      return false;
  }
  return true;
}

// Where the components start after "X:\" or "\\", or npos.
size_t ComponentsStart(const std::string& path) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\')
    return 3;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
    return 2;
  return std::string::npos;
}

// path ends in a backslash. A UNC path needs at least a server and a share.
bool IsNormalisedAbsolute(const std::string& path) {
  size_t start = ComponentsStart(path);
  if (start == std::string::npos)
    return false;
  bool unc = start == 2;
  int count = 0;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (!IsPlainComponent(path.substr(start, end - start)))
      return false;
    start = end + 1;
    ++count;
  }
  return !unc || count >= 2;
}

} // namespace

bool DirExists(const std::string& path) {
  std::string folder = path;
  AddTrailingBackslash(folder);
  if (!IsNormalisedAbsolute(folder))
    return false;
  // A folder whose rights refuse entering it cannot become the current
  // folder, so it does not count as there.
  return platform::Fs().CanEnterFolder(folder);
}

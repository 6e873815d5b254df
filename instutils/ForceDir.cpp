// Creating a folder with all its missing parents, recording each created
// level in the install log, outermost first.
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"

#include "platform/Platform.h"

#include <vector>

namespace {

std::string WithoutTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\')
    return path.substr(0, path.size() - 1);
  return path;
}

// "C:", "C:\", "\\server\share" and "\\server\share\" cannot be created.
bool IsDriveRoot(const std::string& path) {
  return WithoutTrailingBackslash(path).size() <= DrivePart(path).size();
}

// The missing levels of dir, innermost first. Each parent is strictly
// shorter than its child, so the walk ends.
std::vector<std::string> MissingLevels(const std::string& dir) {
  std::vector<std::string> missing;
  std::string level = dir;
  while (!IsDriveRoot(level) && !DirExists(level)) {
    missing.push_back(level);
    std::string parent = ExtractFolder(WithoutTrailingBackslash(level));
    if (parent.size() >= level.size())
      break;
    level = parent;
  }
  return missing;
}

} // namespace

// A level is logged even when its creation fails (no rights, no such drive):
// the file written into it fails next, and its caller reports that.
void ForceDir(const std::string& dir) {
  if (!IsAbsolutePath(dir))
    return;
  std::vector<std::string> missing = MissingLevels(dir);
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    platform::Fs().CreateFolder(*level);
    AddLogLine("Made Dir: " + *level);
  }
}

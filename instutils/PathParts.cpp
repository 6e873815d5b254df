// Taking Windows paths apart: the drive part, the folder part, absoluteness.
#include "instutils/Paths.h"

namespace {

bool IsUncPath(const std::string& path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && path[1] == ':';
}

} // namespace

// For a UNC path the drive part runs up to, not including, the backslash
// that follows the share name.
std::string DrivePart(const std::string& path) {
  if (HasDriveLetter(path))
    return path.substr(0, 2);
  if (!IsUncPath(path))
    return "";
  size_t afterServer = path.find('\\', 2);
  if (afterServer == std::string::npos)
    return path;
  size_t afterShare = path.find('\\', afterServer + 1);
  if (afterShare == std::string::npos)
    return afterServer + 1 == path.size() ? path.substr(0, afterServer) : path;
  return path.substr(0, afterShare);
}

std::string ExtractFolder(const std::string& path) {
  size_t last = path.find_last_of("\\:");
  return last == std::string::npos ? "" : path.substr(0, last + 1);
}

bool IsAbsolutePath(const std::string& path) {
  if (IsUncPath(path))
    return true;
  return HasDriveLetter(path) && path.size() >= 3 && path[2] == '\\';
}

// Windows path parsing and the mapping of Windows paths to host paths.
#include "platform/posix/PathMap.h"

#include "platform/posix/Cp1252.h"

#include <cctype>
#include <cstring>

namespace platform::posix {
namespace {

constexpr size_t kMaxPath = 260; // characters, the terminating zero included

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool ValidName(const std::string& name) {
  for (char c : name) {
    if (uint8_t(c) < 0x20 || std::strchr("<>:\"|?*", c))
      return false;
  }
  return true;
}

// The folder part of a path (all but its last part) upper-cased, so that
// every spelling of one folder shares its memo.
std::string FolderKey(const WindowsPath& path) {
  std::string key(1, path.drive);
  for (size_t i = 0; i + 1 < path.parts.size(); ++i) {
    key += '\\';
    key += UpperKey(path.parts[i]);
  }
  return key;
}

} // namespace

std::string WindowsPath::Text() const {
  std::string text{drive, ':'};
  for (const auto& part : parts)
    text += "\\" + part;
  if (parts.empty())
    text += "\\";
  return text;
}

std::optional<WindowsPath> ParseWindowsPath(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(uint8_t(path[0])) ||
      path.size() >= kMaxPath)
    return std::nullopt;
  WindowsPath parsed;
  parsed.drive = char(std::toupper(uint8_t(path[0])));
  std::string part;
  for (size_t i = 2; i <= path.size(); ++i) {
    if (i < path.size() && !IsSeparator(path[i])) {
      part += path[i];
      continue;
    }
    if (part == ".." && !parsed.parts.empty())
      parsed.parts.pop_back();
    else if (!part.empty() && part != "." && part != "..") {
      if (!ValidName(part))
        return std::nullopt;
      parsed.parts.push_back(part);
    }
    part.clear();
  }
  parsed.trailingSeparator = !parsed.parts.empty() && IsSeparator(path.back());
  return parsed;
}

PathMap::PathMap(std::string drivesFolder, std::function<bool(char)> driveConfigured)
    : drivesFolder_(std::move(drivesFolder)), driveConfigured_(std::move(driveConfigured)) {}

std::string PathMap::DriveFolder(char letter) const {
  return drivesFolder_ + "/" + char(std::tolower(uint8_t(letter)));
}

std::optional<HostPath> PathMap::Resolve(const std::string& windowsPath) {
  const auto parsed = ParseWindowsPath(windowsPath);
  if (!parsed)
    return std::nullopt;
  return Resolve(*parsed);
}

std::optional<HostPath> PathMap::Resolve(const WindowsPath& path) {
  if (!driveConfigured_(path.drive))
    return std::nullopt;
  HostPath result;
  result.host = DriveFolder(path.drive);
  result.trailingSeparator = path.trailingSeparator;
  const size_t count = path.parts.size();
  if (count < 2) {
    ResolveParts(path, 0, count, true, result);
    return result;
  }
  const std::string key = FolderKey(path);
  if (auto folder = folders_.Find(key)) {
    bool isFolder = false;
    const std::string& part = path.parts.back();
    const auto actual = cache_.Find(*folder, UpperKey(part), &isFolder);
    if (isFolder) {
      result.parent = std::move(*folder);
      result.leaf = actual ? *actual : Cp1252ToUtf8(part);
      result.host = result.parent + "/" + result.leaf;
      return result;
    }
  }
  const bool folderExists = ResolveParts(path, 0, count - 1, true, result);
  if (folderExists)
    folders_.Remember(key, result.host);
  ResolveParts(path, count - 1, count, folderExists, result);
  return result;
}

bool PathMap::ResolveParts(const WindowsPath& path, size_t first, size_t last, bool parentExists,
                           HostPath& result) {
  for (size_t i = first; i < last; ++i) {
    const std::string& part = path.parts[i];
    std::optional<std::string> actual;
    if (parentExists)
      actual = cache_.Find(result.host, UpperKey(part));
    parentExists = actual.has_value();
    result.parent = result.host;
    result.leaf = actual ? *actual : Cp1252ToUtf8(part);
    result.host += "/" + result.leaf;
  }
  return parentExists;
}

} // namespace platform::posix

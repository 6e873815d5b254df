// Windows paths of the emulated machine and where they live on the host:
// drive X: is the folder <root>/drives/x, names are found ignoring cp1252
// case like NTFS does, and new names are stored in UTF-8 as given.
#pragma once

#include "platform/posix/DirCache.h"
#include "platform/posix/FolderMemo.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

// A Windows path taken apart lexically: "." and ".." resolved within the
// drive (never above its root), '/' accepted as a separator.
struct WindowsPath {
  char drive = 'C';               // upper case
  std::vector<std::string> parts; // cp1252, no empty part
  bool trailingSeparator = false; // "C:\a\" names a folder only

  // "C:\a\b", or "C:\" for the root.
  std::string Text() const;
};

// nullopt for a path without a drive letter, with a character Windows
// refuses in names, or longer than MAX_PATH allows.
std::optional<WindowsPath> ParseWindowsPath(const std::string& path);

struct HostPath {
  std::string host;   // the host path of the whole Windows path
  std::string parent; // host folder holding it; "" for a drive root
  std::string leaf;   // its host name; "" for a drive root
  bool trailingSeparator = false;
  bool IsRoot() const { return leaf.empty(); }
};

class PathMap {
public:
  // drivesFolder is <root>/drives; driveConfigured tells which letters exist.
  PathMap(std::string drivesFolder, std::function<bool(char)> driveConfigured);

  // The host path of a Windows path: existing components are found ignoring
  // case, missing ones are spelt as given. nullopt when the path has no
  // drive, the drive is not configured, or the path is invalid.
  std::optional<HostPath> Resolve(const std::string& windowsPath);
  std::optional<HostPath> Resolve(const WindowsPath& path);

  std::string DriveFolder(char letter) const;
  DirCache& Cache() { return cache_; }

private:
  // Resolves path.parts[first, last) below result.host, looking names up
  // only while their parents exist (parentExists on entry); the others are
  // spelt as given. True when every part resolved exists.
  bool ResolveParts(const WindowsPath& path, size_t first, size_t last, bool parentExists,
                    HostPath& result);

  std::string drivesFolder_;
  std::function<bool(char)> driveConfigured_;
  DirCache cache_;
  FolderMemo folders_; // the folder part of paths resolved before
};

} // namespace platform::posix

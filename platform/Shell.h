// Shell services: special folders and shell links (shortcuts).
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

// One shell-link object being filled; released when destroyed.
class ShellLink {
public:
  virtual ~ShellLink() = default;
  virtual void SetPath(const std::string& target) = 0;
  virtual void SetWorkingDirectory(const std::string& folder) = 0;
  virtual void SetDescription(const std::string& text) = 0;
  // IPersistFile::Save of the link file (cp1252, converted from CP_ACP).
  virtual bool Save(const std::string& linkFile) = 0;
};

class Shell {
public:
  virtual ~Shell() = default;

  // SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT): the folder as
  // reported, without a trailing backslash added; nullopt on any result
  // other than S_OK or when the service could not be bound.
  virtual std::optional<std::string> FolderPath(int csidl) = 0;

  // A new shell-link object (CoCreateInstance CLSID_ShellLink with
  // IShellLinkA, then IPersistFile); null when the system offers none.
  virtual std::unique_ptr<ShellLink> NewShellLink() = 0;
};

} // namespace platform

// The host folders that Windows folder paths were last resolved to. Resolving
// a path level by level costs one stat per level; with a remembered folder
// only the folder itself is checked, by the lookup of the path's last part.
// Only the host itself (not this machine's services, which never make two
// names differing in case) can put a second spelling beside a remembered
// folder; the remembered one is then kept.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace platform::posix {

class FolderMemo {
public:
  // The host folder remembered for the key; the caller checks that it is
  // still a folder.
  std::optional<std::string> Find(const std::string& key);
  void Remember(const std::string& key, const std::string& hostFolder);

private:
  // Enough for every folder an installation touches; beyond it the memo
  // starts again rather than grow without bound.
  static constexpr size_t kMaxFolders = 4096;

  std::mutex mutex_;
  std::unordered_map<std::string, std::string> folders_;
};

} // namespace platform::posix

// Remembered host folders.
#include "platform/posix/FolderMemo.h"

namespace platform::posix {

std::optional<std::string> FolderMemo::Find(const std::string& key) {
  std::lock_guard lock(mutex_);
  const auto found = folders_.find(key);
  if (found == folders_.end())
    return std::nullopt;
  return found->second;
}

void FolderMemo::Remember(const std::string& key, const std::string& hostFolder) {
  std::lock_guard lock(mutex_);
  if (folders_.size() >= kMaxFolders)
    folders_.clear();
  folders_[key] = hostFolder;
}

} // namespace platform::posix

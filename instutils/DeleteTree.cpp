// Removing folder trees and the program's temporary files. Failures are
// ignored: whatever cannot be deleted stays, and the rest still goes.
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

namespace {

// A junction or folder link is removed as a link: following it would delete
// the files of the folder it points to, outside the tree.
void DeleteEntry(const std::string& folder, const platform::DirEntry& entry) {
  std::string path = folder + entry.name;
  if (!entry.IsFolder()) {
    platform::Fs().RemoveFile(path);
    return;
  }
  if ((entry.attributes & attr::kReparsePoint) != 0) {
    platform::Fs().RemoveFolder(path);
    return;
  }
  DeleteDirTree(path);
}

} // namespace

// An empty name would list the current folder, so it is refused.
void DeleteDirTree(const std::string& folder) {
  if (folder.empty())
    return;
  std::string dir = folder;
  AddTrailingBackslash(dir);
  std::vector<platform::DirEntry> entries;
  platform::Fs().List(dir, entries);
  for (const platform::DirEntry& entry : entries)
    DeleteEntry(dir, entry);
  platform::Fs().RemoveFolder(dir);
}

// The prefix is compared byte for byte: a name differing in letter case is
// not one of ours.
void DeleteTempFiles() {
  std::string temp = GetTempDir();
  // An unknown temporary folder must never become the current folder's
  // listing: nothing is deleted then.
  if (temp.empty())
    return;
  std::string prefix = TempNamePrefix();
  std::vector<platform::DirEntry> entries;
  platform::Fs().List(temp, entries);
  for (const platform::DirEntry& entry : entries) {
    if (entry.name.compare(0, prefix.size(), prefix) == 0)
      DeleteEntry(temp, entry);
  }
}

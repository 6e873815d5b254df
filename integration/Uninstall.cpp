// Uninstall registration and the folder-size walk behind its EstimatedSize.
#include "integration/Uninstall.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "platform/Platform.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brevanto Word Processor";

// Bytes of one file for the estimate. GetFileLength keeps only the low 32
// bits of a length; a file the listing shows beyond that range uses the
// listing's length instead of a wrapped, negative one.
int64_t FileBytes(const std::string& path, const platform::DirEntry& entry) {
  if (entry.size > std::numeric_limits<int32_t>::max())
    return entry.size;
  return GetFileLength(path);
}

// The file's size raised to whole clusters, in whole KB (truncating, so -1
// for an unreadable file becomes one cluster).
int64_t FileKB(int64_t bytes, int64_t cluster) {
  const int64_t onDisk = bytes % cluster == 0 ? bytes : (bytes / cluster + 1) * cluster;
  return onDisk / 1024;
}

bool IsRealFolder(const platform::DirEntry& entry) {
  return entry.IsFolder() && (entry.attributes & attr::kReparsePoint) == 0;
}

int64_t FolderKB(const std::string& folder, int64_t cluster) {
  std::vector<platform::DirEntry> entries;
  if (!platform::Fs().List(folder, entries))
    return 0;
  int64_t sum = 0;
  for (const platform::DirEntry& entry : entries) {
    if (entry.name == "." || entry.name == "..")
      continue;
    const std::string path = JoinPath(folder, entry.name);
    if (IsRealFolder(entry))
      sum += FolderKB(path, cluster);
    else if (!entry.IsFolder())
      sum += FileKB(FileBytes(path, entry), cluster);
  }
  return sum;
}

} // namespace

int32_t GetFolderSizeKB(const std::string& folder) {
  const int64_t cluster = GetClusterSize(folder);
  const int64_t sum = FolderKB(folder, cluster > 0 ? cluster : 4096);
  if (sum > std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  return sum < 0 ? 0 : int32_t(sum);
}

void WriteUninstallEntry(TRegistry& reg, const TSetupState& state) {
  const std::string program = GetInstallFilePath(state, "kre.exe");
  reg.SetRootKey(platform::RegRoot::LocalMachine);
  reg.OpenKey(kUninstallKey);
  reg.WriteString("DisplayIcon", program);
  reg.WriteString("DisplayName", "Traitement de texte Brevanto");
  reg.WriteString("DisplayVersion", "3.2.13.4");
  reg.WriteInteger("EstimatedSize", GetFolderSizeKB(state.Options.InstallDir));
  reg.WriteString("Publisher", "The Brevanto Word Processor Team");
  reg.WriteString("UninstallString", "\"" + program + "\" -ui");
}

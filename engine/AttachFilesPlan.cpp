// The install plan: which entries are extracted, where to, and which of them
// land in the shared public data folder (the update list).
#include "engine/AttachFiles.h"

#include "engine/NameMatch.h"
#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

namespace {

// Values other than the two replacing modes behave as omKeepExisting.
bool KeepsExisting(TOverwriteMode mode) {
  return mode != omReplaceIfDateDiffers && mode != omAlwaysReplace;
}

// True when an existing file at dest makes the entry be left out. A folder
// standing at dest is not a file: the entry is planned, and its extraction
// will report the failure.
bool KeepExistingFile(const TAttachedFile& file, const std::string& dest, TOverwriteMode mode) {
  if (mode == omAlwaysReplace || !platform::Fs().IsFile(dest))
    return false;
  if (mode == omReplaceIfDateDiffers)
    return GetFileWriteDate(dest) == file.Date;
  return true;
}

} // namespace

bool TAttachedFiles::AddFileToInstall(const std::string& name, const std::string& destDir,
                                      int compIndex, TOverwriteMode mode) {
  if (compIndex < 0 || compIndex >= kComponentCount)
    return false;
  const TNamePattern publicFolder(
      JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\Public\\"));
  bool planned = false;
  ForEachMatch(Files_, TNamePattern(name), [&](const TAttachedFile& file) {
    if (PlanEntry(file, destDir, compIndex, mode, publicFolder))
      planned = true;
  });
  return planned;
}

bool TAttachedFiles::PlanEntry(const TAttachedFile& file, const std::string& destDir, int compIndex,
                               TOverwriteMode mode, const TNamePattern& publicFolder) {
  const std::string dest = DestIsFileName ? destDir : JoinPath(destDir, file.Name);
  const TOverwriteMode effective = ForceOverwrite ? omAlwaysReplace : mode;
  if (KeepExistingFile(file, dest, effective))
    return false;

  FilesToInstall_[compIndex].push_back({&file, dest, LogSuspendCount == 0});
  if (publicFolder.Matches(dest))
    UpdateList_.push_back(KeepsExisting(mode) ? dest + "\t!" : dest);
  return true;
}

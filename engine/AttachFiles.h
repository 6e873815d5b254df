// The catalogue: the inflated archive, its entries, the seven components and
// the install plan.
#pragma once

#include "engine/ArchiveReader.h"
#include "engine/Components.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TNamePattern;

struct TAttachedFile {
  std::string Name;
  int32_t Size;
  double Date;
  int32_t Offset;
};

struct TFileToInstall {
  const TAttachedFile* AttachedFile; // not owned
  std::string DestName;
  bool Logged;
};

enum TOverwriteMode : uint8_t {
  omKeepExisting = 0,
  omReplaceIfDateDiffers = 1,
  omAlwaysReplace = 2,
};

// While true, AddFileToInstall takes its folder argument as the whole file name.
extern bool DestIsFileName;

class TAttachedFiles {
public:
  // Inflates and indexes the program's own "FILES" resource; null with the
  // reason in error when it is missing or damaged. An archive without entries
  // is well formed and gives an empty catalogue.
  static std::unique_ptr<TAttachedFiles> FromResource(ArchiveError& error);
  // The same from compressed bytes held by the caller.
  static std::unique_ptr<TAttachedFiles> FromCompressed(const uint8_t* data, size_t size,
                                                        ArchiveError& error);
  // The same from an image already inflated, which the catalogue takes over.
  static std::unique_ptr<TAttachedFiles> FromImage(InflatedImage image, ArchiveError& error);
  // Deletes the program's temporary files (DeleteTempFiles). A catalogue that
  // failed to load never existed, so its failure deletes nothing.
  ~TAttachedFiles();

  TAttachedFiles(const TAttachedFiles&) = delete;
  TAttachedFiles& operator=(const TAttachedFiles&) = delete;

  // Disk space the listed entries need on the volume of installDir; sums
  // beyond the signed 32-bit range give INT32_MAX.
  int32_t ComponentSize(const std::string& fileList, const std::string& installDir) const;
  // Plans the entry called name, or every entry under the folder prefix name,
  // for component compIndex; true when at least one file was planned.
  bool AddFileToInstall(const std::string& name, const std::string& destDir, int compIndex,
                        TOverwriteMode mode);
  void ClearFilesToInstall(int compIndex);
  // The byte count of every planned file; INT32_MAX when the sum exceeds it.
  int32_t TotalSizeToInstall() const;
  // The entry whose name equals name ignoring case; null when none.
  const TAttachedFile* FindFile(const std::string& name) const;
  // Writes entry (or, when null, the entry called name) to destFile with the
  // entry's date; asks Abort/Retry/Ignore when it cannot. True when written or
  // ignored, false on Abort. Callable from any thread.
  bool ExtractFile(const TAttachedFile* entry, const std::string& name,
                   const std::string& destFile) const;

  const uint8_t* Data() const { return Data_.get(); }
  int32_t DataSize() const { return DataSize_; }
  const std::vector<TAttachedFile>& Files() const { return Files_; }
  const std::vector<TFileToInstall>& FilesToInstall(int compIndex) const {
    return FilesToInstall_[compIndex];
  }
  std::vector<std::string>& UpdateList() { return UpdateList_; }
  bool ForceOverwrite = false;

private:
  TAttachedFiles() = default;
  bool PlanEntry(const TAttachedFile& file, const std::string& destDir, int compIndex,
                 TOverwriteMode mode, const TNamePattern& publicFolder);

  ImageBlock Data_;
  int32_t DataSize_ = 0;
  std::vector<TAttachedFile> Files_;
  std::vector<TFileToInstall> FilesToInstall_[kComponentCount];
  std::vector<std::string> UpdateList_;
};

// The one catalogue of the run.
extern TAttachedFiles* AttachedFiles;


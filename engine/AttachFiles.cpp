// The catalogue: creation from the attached archive, look-ups, component
// sizes and the totals of the install plan.
#include "engine/AttachFiles.h"

#include "engine/NameMatch.h"
#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "platform/Memory.h"
#include "platform/Resources.h"

#include <algorithm>
#include <climits>

bool DestIsFileName = false;
TAttachedFiles* AttachedFiles = nullptr;

namespace {

int32_t Saturate(int64_t sum) {
  return static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
}

} // namespace

std::unique_ptr<TAttachedFiles> TAttachedFiles::FromResource(ArchiveError& error) {
  auto resource = platform::OwnResource("FILES", "FILES");
  if (!resource) {
    error = ArchiveError::Missing;
    return nullptr;
  }
  return FromCompressed(resource->data(), resource->size(), error);
}

std::unique_ptr<TAttachedFiles> TAttachedFiles::FromCompressed(const uint8_t* data, size_t size,
                                                               ArchiveError& error) {
  InflatedImage image;
  error =
      InflateArchive(data, size, image, platform::AdviseLargeBlock, platform::AllocateLargeBlock);
  if (error != ArchiveError::None)
    return nullptr;
  return FromImage(std::move(image), error);
}

std::unique_ptr<TAttachedFiles> TAttachedFiles::FromImage(InflatedImage image,
                                                          ArchiveError& error) {
  std::vector<ArchiveRecord> records;
  error = IndexArchive(image.data.get(), image.size, records);
  if (error != ArchiveError::None)
    return nullptr;

  std::unique_ptr<TAttachedFiles> files(new TAttachedFiles);
  files->Data_ = std::move(image.data);
  files->DataSize_ = image.size;
  files->Files_.reserve(records.size());
  for (ArchiveRecord& record : records)
    files->Files_.push_back({std::move(record.name), record.size, record.date, record.offset});
  return files;
}

TAttachedFiles::~TAttachedFiles() {
  DeleteTempFiles();
}

const TAttachedFile* TAttachedFiles::FindFile(const std::string& name) const {
  TNamePattern pattern(name);
  if (pattern.IsFolderPrefix())
    return nullptr; // folders have no entries of their own
  for (const TAttachedFile& file : Files_) {
    if (pattern.Matches(file.Name))
      return &file;
  }
  return nullptr;
}

int32_t TAttachedFiles::ComponentSize(const std::string& fileList,
                                      const std::string& installDir) const {
  // One volume query for the whole list: asking it for every file made the
  // component page's sizes cost a volume query per entry and component.
  const int32_t cluster = GetClusterSize(installDir);
  int64_t sum = 0;
  for (const std::string& item : FileListItems(fileList)) {
    ForEachMatch(Files_, TNamePattern(item),
                 [&](const TAttachedFile& file) { sum += RoundToClusters(file.Size, cluster); });
  }
  return Saturate(sum);
}

void TAttachedFiles::ClearFilesToInstall(int compIndex) {
  if (compIndex < 0 || compIndex >= kComponentCount)
    return;
  FilesToInstall_[compIndex].clear();
}

int32_t TAttachedFiles::TotalSizeToInstall() const {
  int64_t sum = 0;
  for (const std::vector<TFileToInstall>& list : FilesToInstall_) {
    for (const TFileToInstall& planned : list)
      sum += planned.AttachedFile->Size;
  }
  return Saturate(sum);
}

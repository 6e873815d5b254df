// The scale archives, built with the packer's own record writer and content
// generators so that they compress like the sample.
#include "bench/ScaleArchive.h"

#include "tools/ArchiveWriter.h"
#include "tools/PayloadContent.h"
#include "tools/PayloadLayout.h"
#include "tools/Prng.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kLargeEvery = 1000;
constexpr int kSmallLow = 100, kSmallHigh = 2000;
constexpr int kLargeLow = 256 * 1024, kLargeHigh = 1024 * 1024;

// A folder of the sample that holds files, with the kind and extension of its
// first file and the stem its generated files are named with.
struct BulkFolder {
  std::string path; // ends in a backslash
  std::string stem;
  std::string extension;
  PayloadKind kind;
};

std::string FolderOf(const std::string& name) {
  const size_t slash = name.rfind('\\');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

std::string LastComponent(const std::string& folder) {
  const std::string trimmed = folder.substr(0, folder.size() - 1);
  return trimmed.substr(trimmed.rfind('\\') + 1); // npos + 1 is 0: a top-level folder
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The folders in the order the sample first uses them.
std::vector<BulkFolder> SampleFolders(const std::vector<PayloadItem>& items) {
  std::vector<BulkFolder> folders;
  for (const PayloadItem& item : items) {
    const std::string folder = FolderOf(item.name);
    const auto same = [&](const BulkFolder& f) { return f.path == folder; };
    if (folder.empty() || std::find_if(folders.begin(), folders.end(), same) != folders.end())
      continue;
    folders.push_back({folder, LastComponent(folder), ExtensionOf(item.name), item.kind});
  }
  return folders;
}

// A whole, even second between 2002 and 2012, fixed by the entry's number.
CivilDateTime DateFor(int index) {
  Prng rng(uint64_t(index) * 7919 + 1);
  return {rng.Range(2002, 2012), rng.Range(1, 12), rng.Range(1, 28),
          rng.Range(0, 23),      rng.Range(0, 59), 2 * rng.Range(0, 29)};
}

PayloadItem BulkItem(const BulkFolder& folder, int index) {
  Prng rng(uint64_t(index) * 104729 + 3);
  const bool large = index % kLargeEvery == kLargeEvery / 2;
  const int32_t size = large ? rng.Range(kLargeLow, kLargeHigh) : rng.Range(kSmallLow, kSmallHigh);
  const PayloadKind kind = large ? PayloadKind::WordList : folder.kind;
  return {folder.path + folder.stem + " " + std::to_string(index) + folder.extension, kind, size,
          DateFor(index)};
}

bool InFolder(const PayloadItem& item) {
  return !FolderOf(item.name).empty();
}

// The sample's order: its first top-level files, the bulk in its folders,
// then its last top-level files.
std::vector<PayloadItem> ScaleItems(int entryCount) {
  std::vector<PayloadItem> sample = CurrentBuildItems();
  FitToImageSize(sample, int32_t(PlaceholderProgram().size()), int32_t(LicenceText().size()));
  const auto folderStart = std::find_if(sample.begin(), sample.end(), InFolder);
  const auto folderEnd = std::find_if(sample.rbegin(), sample.rend(), InFolder).base();
  const int topLevel = int(folderStart - sample.begin()) + int(sample.end() - folderEnd);
  const std::vector<BulkFolder> folders = SampleFolders(sample);

  std::vector<PayloadItem> items(sample.begin(), folderStart);
  for (int i = 0; i < entryCount - topLevel; ++i)
    items.push_back(BulkItem(folders[size_t(i) % folders.size()], int(items.size())));
  items.insert(items.end(), folderEnd, sample.end());
  return items;
}

bool AppendItem(std::string& image, const PayloadItem& item, std::string& error) {
  double date = 0;
  if (!EncodeArchiveDate(item.date, date, error))
    return false;
  const std::string data =
      item.kind == PayloadKind::Program ? PlaceholderProgram() : GenerateContent(item);
  return AppendRecord(image, item.name, date, data, error);
}

} // namespace

bool BuildScaleArchive(int entryCount, std::string& compressed, std::string& error) {
  std::string image;
  for (const PayloadItem& item : ScaleItems(entryCount)) {
    if (!AppendItem(image, item, error))
      return false;
  }
  if (!CompressImage(image, compressed)) {
    error = "zlib could not compress the image";
    return false;
  }
  return true;
}

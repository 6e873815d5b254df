// The generated archives: as many entries as asked, names the installer
// accepts, the sample's top-level files and folder depth, every component
// represented, and a few large files among the small ones.
#include "bench/ScaleArchive.h"
#include "engine/ArchiveReader.h"
#include "engine/Components.h"
#include "engine/NameMatch.h"
#include "tools/Cp1252.h"
#include "tools/PayloadLayout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

std::vector<ArchiveRecord> Records(int entryCount, InflatedImage& image) {
  std::string compressed, error;
  EXPECT_TRUE(BuildScaleArchive(entryCount, compressed, error)) << error;
  std::vector<ArchiveRecord> records;
  EXPECT_EQ(
      InflateArchive(reinterpret_cast<const uint8_t*>(compressed.data()), compressed.size(), image),
      ArchiveError::None);
  EXPECT_EQ(IndexArchive(image.data.get(), image.size, records), ArchiveError::None);
  return records;
}

size_t Depth(const std::string& name) {
  return size_t(std::count(name.begin(), name.end(), '\\'));
}

TEST(ScaleArchive, HoldsExactlyTheEntriesAskedForUnderUniqueSafeNames) {
  InflatedImage image;
  const auto records = Records(1000, image);
  ASSERT_EQ(records.size(), 1000u);
  std::set<std::string> upper;
  for (const ArchiveRecord& r : records) {
    EXPECT_TRUE(IsSafeEntryName(r.name)) << r.name;
    EXPECT_TRUE(upper.insert(UpperCp1252(r.name)).second) << "duplicate " << r.name;
  }
}

TEST(ScaleArchive, KeepsTheSampleTopLevelFilesInTheirPlacesAndItsFolderDepth) {
  InflatedImage image;
  const auto records = Records(1000, image);
  size_t sampleDepth = 0, depth = 0;
  for (const ArchiveRecord& r : records)
    depth = std::max(depth, Depth(r.name));
  const std::vector<PayloadItem> sample = CurrentBuildItems();
  for (const PayloadItem& item : sample)
    sampleDepth = std::max(sampleDepth, Depth(item.name));
  EXPECT_EQ(depth, sampleDepth);
  for (size_t i = 0; i < 9; ++i)
    EXPECT_EQ(records[i].name, sample[i].name);
  for (size_t i = 1; i <= 5; ++i)
    EXPECT_EQ(records[records.size() - i].name, sample[sample.size() - i].name);
}

TEST(ScaleArchive, EveryComponentHasFilesAndTheFoldersHoldTheBulk) {
  InflatedImage image;
  const auto records = Records(2000, image);
  size_t inFolders = 0;
  for (const TComponent& component : Components) {
    size_t matched = 0;
    for (const std::string& item : FileListItems(component.FileList)) {
      const TNamePattern pattern(item);
      matched += size_t(std::count_if(records.begin(), records.end(), [&](const ArchiveRecord& r) {
        return pattern.Matches(r.name);
      }));
    }
    EXPECT_GT(matched, 0u) << component.Name;
    if (FileListItems(component.FileList).front().back() == '\\')
      inFolders += matched;
  }
  EXPECT_EQ(inFolders, records.size() - 14);
}

TEST(ScaleArchive, MostlySmallFilesWithOneLargeInEveryThousand) {
  InflatedImage image;
  const auto records = Records(3000, image);
  size_t small = 0, large = 0;
  for (size_t i = 9; i + 5 < records.size(); ++i)
    (records[i].size >= 256 * 1024 ? large : small) += 1;
  EXPECT_EQ(large, 3u);
  EXPECT_EQ(small, records.size() - 14 - 3);
}

} // namespace

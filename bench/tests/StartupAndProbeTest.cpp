// The start-up comparison times both contenders over every round and refuses
// a damaged archive instead of timing it; the file-system probe leaves
// nothing behind and fails where it cannot write.
#include "BenchArchives.h"
#include "TempFolder.h"
#include "bench/FsProbe.h"
#include "bench/StartupCost.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

TEST(MeasureStartup, TimesTheCatalogueAndTheBareInflateInEveryRound) {
  std::string error;
  const std::vector<StartupRound> rounds = MeasureStartup(ScaleArchiveFile(300), 3, error);
  ASSERT_EQ(rounds.size(), 3u) << error;
  for (const StartupRound& round : rounds) {
    EXPECT_GT(round.inflateSeconds, 0);
    EXPECT_GT(round.catalogueSeconds, 0);
  }
}

TEST(MeasureStartup, RefusesAMissingOrTruncatedArchive) {
  TempFolder folder;
  std::string error;
  EXPECT_TRUE(MeasureStartup(folder.Path() + "/missing.z", 2, error).empty());
  EXPECT_FALSE(error.empty());

  std::ifstream in(ScaleArchiveFile(300), std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string truncated = folder.Path() + "/truncated.z";
  std::ofstream(truncated, std::ios::binary) << whole.substr(0, whole.size() / 2);
  error.clear();
  EXPECT_TRUE(MeasureStartup(truncated, 2, error).empty());
  EXPECT_FALSE(error.empty());
}

TEST(ProbeFileSystem, LeavesNothingBehindAndFailsWhereItCannotWrite) {
  TempFolder folder;
  EXPECT_GE(ProbeFileSystem(folder.Path(), 50), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_LT(ProbeFileSystem(folder.Path() + "/no/such/folder", 50), 0);
}

} // namespace

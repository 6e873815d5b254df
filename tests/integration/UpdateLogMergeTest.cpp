// "Update.log": the stamp line's bytes, the merge rules over an existing log,
// and the file on disk, including when it cannot be read or saved.
#include "IntegrationHarness.h"

#include "integration/DataFolders.h"
#include "integration/UpdateLog.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

const std::string kStampA = "*0000000000000040";
const std::string kStampB = "*0000000000000840";
const std::string kNewStamp = "*00000000901DE640"; // kFixedNow

TEST(UpdateLogStamp, IsTheDateTimeBytesInMemoryOrderHighDigitFirst) {
  EXPECT_EQ(UpdateStampLine(45292.5), kNewStamp);
  EXPECT_EQ(UpdateStampLine(2.0), kStampA);
  EXPECT_EQ(UpdateStampLine(-1.0), "*000000000000F0BF");
}

TEST(UpdateLogMerge, AFirstInstallationWritesOneGroup) {
  EXPECT_EQ(MergeUpdateLog({}, {"P\\a", "P\\b\t!"}, kFixedNow),
            (Lines{kNewStamp, "P\\a", "P\\b\t!"}));
}

TEST(UpdateLogMerge, FilesListedAgainMoveToTheNewGroup) {
  const Lines old = {kStampA, "P\\X", kStampB, "P\\Y"};
  EXPECT_EQ(MergeUpdateLog(old, {"P\\x", "P\\Z"}, kFixedNow),
            (Lines{kStampA, "P\\Y", kNewStamp, "P\\x", "P\\Z"}));
}

TEST(UpdateLogMerge, TwoStampsAtTheEndBothGo) {
  const Lines old = {kStampA, "P\\W", kStampB, kStampA};
  EXPECT_EQ(MergeUpdateLog(old, {"P\\X"}, kFixedNow), (Lines{kStampA, "P\\W", kNewStamp, "P\\X"}));
}

TEST(UpdateLogMerge, ASecondInstallationOfTheSameFilesLeavesOneGroup) {
  const Lines list = {"P\\French.asc\t!", "P\\persodicfr.tlx\t!"};
  EXPECT_EQ(MergeUpdateLog({kStampA, "P\\French.asc\t!", "P\\persodicfr.tlx\t!"}, list, kFixedNow),
            (Lines{kNewStamp, list[0], list[1]}));
}

TEST(UpdateLogMerge, BlankLinesAreRemovedAndMarkersMatter) {
  const Lines old = {"", kStampA, "", "P\\X\t!", "", "P\\Y", ""};
  EXPECT_EQ(MergeUpdateLog(old, {"P\\X"}, kFixedNow),
            (Lines{kStampA, "P\\X\t!", "P\\Y", kNewStamp, "P\\X"}));
}

TEST(UpdateLogMerge, ListSortsIgnoringCase) {
  Lines list = {"P\\b", "P\\C", "P\\a", "P\\B2"};
  SortUpdateList(list);
  EXPECT_EQ(list, (Lines{"P\\a", "P\\b", "P\\B2", "P\\C"}));
}

class UpdateLogFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    state.Options.InstallDir = "C:\\Apps\\Brevanto";
    state.InstallTime = kFixedNow;
    path = GetDataFolder(state, dfCommon) + "Update.log";
  }

  IntegrationMachine m;
  TSetupState state;
  std::string path;
};

TEST_F(UpdateLogFileTest, MergesIntoTheExistingFileWithCrLfLines) {
  m.Write(path, kStampA + "\r\nP\\X\r\n\r\n" + kStampB + "\nP\\Y");
  Lines list = {"P\\Z", "p\\x"};
  ASSERT_TRUE(WriteUpdateLog(state, list));
  EXPECT_EQ(list, (Lines{"p\\x", "P\\Z"}));
  EXPECT_EQ(m.Read(path), kStampA + "\r\nP\\Y\r\n" + kNewStamp + "\r\np\\x\r\nP\\Z\r\n");
}

TEST_F(UpdateLogFileTest, AnEmptyListLeavesTheFileAlone) {
  Lines none;
  ASSERT_TRUE(WriteUpdateLog(state, none));
  EXPECT_FALSE(m.Exists(path));
  m.Write(path, "\r\n" + kStampA + "\r\n" + kStampB + "\r\n");
  ASSERT_TRUE(WriteUpdateLog(state, none));
  EXPECT_EQ(m.Read(path), "\r\n" + kStampA + "\r\n" + kStampB + "\r\n");
}

TEST_F(UpdateLogFileTest, ASaveThatFailsKeepsTheOldFileAndSaysSo) {
  const std::string old = kStampA + "\r\nP\\X\r\n";
  m.Write(path, old);
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, path, platform::IoStatus::DiskFull, 1);
  Lines list = {"P\\Y"};
  EXPECT_FALSE(WriteUpdateLog(state, list));
  EXPECT_EQ(m.Read(path), old);
  EXPECT_TRUE(WriteUpdateLog(state, list));
  EXPECT_EQ(m.Read(path), old + kNewStamp + "\r\nP\\Y\r\n");
}

TEST_F(UpdateLogFileTest, AnUnreadableLogIsNotOverwritten) {
  const std::string old = kStampA + "\r\nP\\X\r\n";
  m.Write(path, old);
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Read, path, platform::IoStatus::SharingViolation);
  Lines list = {"P\\Y"};
  EXPECT_FALSE(WriteUpdateLog(state, list));
  EXPECT_EQ(faulty.Calls(FileOp::Replace), 0);
  faulty.ClearFaults();
  EXPECT_EQ(m.Read(path), old);
}

} // namespace

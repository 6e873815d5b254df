// The remembered host folders of the path map: a folder resolved once is
// found again without walking its levels, and is never used once the host
// folder behind it has gone, moved or become a file.
#include "platform/posix/FolderMemo.h"
#include "support/TestMachine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using platform::Fs;
using platform::IoStatus;

IoStatus Write(const std::string& path, const std::string& text) {
  return Fs().ReplaceFile(path, text.data(), text.size(), nullptr);
}

std::string ReadHost(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FolderMemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Fs().CreateFolder(base + "Deep"));
    ASSERT_TRUE(Fs().CreateFolder(base + "Deep\\Er"));
    ASSERT_EQ(Write(base + "Deep\\Er\\first.txt", "1"), IoStatus::Ok); // remembered from here on
    hostFolder = machine.HostPath(base + "Deep\\Er");
  }

  TestMachine machine;
  std::string base = machine.Base();
  std::string hostFolder;
};

TEST(FolderMemo, KeepsWhatItWasToldAndStartsAgainWhenFull) {
  platform::posix::FolderMemo memo;
  EXPECT_FALSE(memo.Find("C\\A"));
  memo.Remember("C\\A", "/x/a");
  memo.Remember("C\\A", "/x/A");
  EXPECT_EQ(memo.Find("C\\A"), "/x/A");
  for (int i = 0; i < 5000; ++i)
    memo.Remember("C\\F" + std::to_string(i), "/f");
  EXPECT_EQ(memo.Find("C\\F4999"), "/f");
  EXPECT_FALSE(memo.Find("C\\F0")); // forgotten when the memo started again
}

TEST_F(FolderMemoTest, EverySpellingOfAFolderReachesTheSameHostFolder) {
  ASSERT_EQ(Write(base + "DEEP\\er\\Second.txt", "2"), IoStatus::Ok);
  EXPECT_EQ(ReadHost(hostFolder + "/Second.txt"), "2");
  EXPECT_TRUE(Fs().IsFile(base + "deep\\ER\\FIRST.TXT"));
  EXPECT_EQ(fs::path(machine.HostPath(base + "dEEp\\eR\\x.txt")).parent_path(), hostFolder);
}

TEST_F(FolderMemoTest, AFolderRemadeWithAnotherCaseIsTheOneWrittenTo) {
  ASSERT_TRUE(Fs().RemoveFile(base + "Deep\\Er\\first.txt"));
  ASSERT_TRUE(Fs().RemoveFolder(base + "Deep\\Er"));
  ASSERT_TRUE(Fs().CreateFolder(base + "Deep\\ER"));

  ASSERT_EQ(Write(base + "Deep\\Er\\again.txt", "3"), IoStatus::Ok);
  const std::string remade = fs::path(hostFolder).parent_path().string() + "/ER";
  EXPECT_EQ(ReadHost(remade + "/again.txt"), "3");
  EXPECT_FALSE(fs::exists(hostFolder));
}

TEST_F(FolderMemoTest, AFolderRemovedOnTheHostIsMissingAgain) {
  fs::remove_all(hostFolder);
  EXPECT_FALSE(Fs().IsFile(base + "Deep\\Er\\first.txt"));
  EXPECT_EQ(Write(base + "Deep\\Er\\late.txt", "4"), IoStatus::NotFound);
  EXPECT_FALSE(fs::exists(hostFolder));
}

TEST_F(FolderMemoTest, AFolderMovedOnTheHostIsFoundAtItsNewPlace) {
  const std::string parent = fs::path(hostFolder).parent_path().string();
  fs::rename(parent, parent + "-old");
  fs::create_directories(parent + "/er");
  EXPECT_FALSE(Fs().IsFile(base + "Deep\\Er\\first.txt"));
  ASSERT_EQ(Write(base + "Deep\\Er\\moved.txt", "5"), IoStatus::Ok);
  EXPECT_EQ(ReadHost(parent + "/er/moved.txt"), "5");
}

TEST_F(FolderMemoTest, AFileStandingWhereTheFolderWasIsNoFolder) {
  fs::remove_all(hostFolder);
  std::ofstream(hostFolder) << "now a file";
  EXPECT_FALSE(Fs().IsFolder(base + "Deep\\Er\\"));
  EXPECT_TRUE(Fs().IsFile(base + "Deep\\Er"));
  EXPECT_NE(Write(base + "Deep\\Er\\inside.txt", "6"), IoStatus::Ok);
  EXPECT_EQ(ReadHost(hostFolder), "now a file");
}

} // namespace

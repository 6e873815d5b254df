// Windows paths on the emulated machine: parsing, case-insensitive lookup,
// cp1252 names stored as UTF-8, and no way out of a drive.
#include "platform/posix/PathMap.h"
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using platform::Fs;
using platform::posix::ParseWindowsPath;

std::string Parsed(const std::string& path) {
  const auto parsed = ParseWindowsPath(path);
  return parsed ? parsed->Text() : "<invalid>";
}

void WriteHost(const std::string& hostPath, const std::string& text) {
  std::ofstream(hostPath, std::ios::binary) << text;
}

TEST(WindowsPathParse, NormalisesSeparatorsAndDotsWithinTheDrive) {
  EXPECT_EQ(Parsed("c:/A//b\\"), "C:\\A\\b");
  EXPECT_EQ(Parsed("C:\\A\\.\\B\\..\\c.txt"), "C:\\A\\c.txt");
  EXPECT_EQ(Parsed("C:\\..\\..\\Windows"), "C:\\Windows");
  EXPECT_EQ(Parsed("C:\\A\\..\\.."), "C:\\");
  EXPECT_EQ(Parsed("C:"), "C:\\");
  EXPECT_TRUE(ParseWindowsPath("C:\\A\\")->trailingSeparator);
  EXPECT_FALSE(ParseWindowsPath("C:\\A")->trailingSeparator);
}

TEST(WindowsPathParse, RefusesPathsWithoutADriveOrWithForbiddenCharacters) {
  for (const char* bad : {"", "A\\b", "\\A", "\\\\server\\share\\x", "1:\\x", "C:\\a?b", "C:\\a*",
                          "C:\\a:b", "C:\\a|b", "C:\\a<b", "C:\\a\"b"})
    EXPECT_FALSE(ParseWindowsPath(bad)) << bad;
  EXPECT_FALSE(ParseWindowsPath("C:\\a\x01"
                                "b"));
  EXPECT_FALSE(ParseWindowsPath("C:\\" + std::string(260, 'x')));
  EXPECT_TRUE(ParseWindowsPath("C:\\" + std::string(250, 'x')));
}

class PathMapTest : public ::testing::Test {
protected:
  TestMachine machine;
  std::string base = machine.Base();
};

TEST_F(PathMapTest, FindsExistingNamesIgnoringCaseAndCreatesNewOnesAsGiven) {
  ASSERT_TRUE(Fs().CreateFolder(base + "Modèles"));
  ASSERT_TRUE(Fs().IsFolder(base + "MODÈLES"));
  ASSERT_EQ(Fs().ReplaceFile(base + "MODÈLES\\Lettre.TXT", "x", 1, nullptr),
            platform::IoStatus::Ok);

  EXPECT_TRUE(Fs().IsFile(base + "modèles\\lettre.txt"));
  EXPECT_FALSE(Fs().CreateFolder(base + "modÈles"));
  const std::string host = machine.HostPath(base + "MODÈLES\\LETTRE.txt");
  EXPECT_EQ(std::filesystem::path(host).filename().string(), "Lettre.TXT");
  EXPECT_EQ(std::filesystem::path(host).parent_path().filename().string(), "Mod\xC3\xA8les");
}

TEST_F(PathMapTest, StoresCp1252NamesAsUtf8AndListsThemBackAsCp1252) {
  const std::string name = "\x80 \x9C\xFF \xE9t\xE9.txt"; // euro, oe, y diaeresis, e acute
  ASSERT_EQ(Fs().ReplaceFile(base + name, "", 0, nullptr), platform::IoStatus::Ok);
  const std::string hostName =
      std::filesystem::path(machine.HostPath(base + name)).filename().string();
  EXPECT_EQ(hostName, "\xE2\x82\xAC \xC5\x93\xC3\xBF \xC3\xA9t\xC3\xA9.txt");

  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(Fs().List(base, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, name);
  EXPECT_TRUE(Fs().IsFile(base + "\x80 \x8C\x9F \xC9T\xC9.TXT")); // the same name upper-cased
}

TEST_F(PathMapTest, HostNamesWithoutACp1252SpellingAreListedWithQuestionMarks) {
  WriteHost(machine.HostPath(base) + "/\xE6\x97\xA5.txt", "x"); // a CJK character
  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(Fs().List(base, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "?.txt");
  EXPECT_FALSE(Fs().IsFile(base + "?.txt"));
}

TEST_F(PathMapTest, DotDotNeverLeavesTheDrive) {
  const std::string driveRoot = machine.HostPath("C:\\");
  EXPECT_EQ(machine.HostPath("C:\\..\\..\\registry"), driveRoot + "/registry");
  ASSERT_EQ(Fs().ReplaceFile("C:\\..\\..\\..\\escape.txt", "x", 1, nullptr),
            platform::IoStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(driveRoot + "/escape.txt"));
  EXPECT_FALSE(std::filesystem::exists(driveRoot + "/../escape.txt"));
  EXPECT_FALSE(std::filesystem::exists(driveRoot + "/../../escape.txt"));
}

TEST_F(PathMapTest, PathsOnUnconfiguredDrivesOrWithoutDrivesFail) {
  EXPECT_EQ(machine.HostPath("Q:\\x"), "");
  EXPECT_FALSE(Fs().CreateFolder("Q:\\x"));
  EXPECT_FALSE(Fs().IsFolder("Q:\\"));
  EXPECT_EQ(Fs().ReplaceFile("Q:\\x.txt", "x", 1, nullptr), platform::IoStatus::NotFound);
  EXPECT_EQ(Fs().ReplaceFile("relative.txt", "x", 1, nullptr), platform::IoStatus::NotFound);
  EXPECT_FALSE(Fs().IsFolder("\\t"));
}

TEST_F(PathMapTest, SeesChangesMadeOnTheHostRightAfterALookup) {
  const std::string hostBase = machine.HostPath(base);
  WriteHost(hostBase + "/first.txt", "1");
  EXPECT_TRUE(Fs().IsFile(base + "FIRST.TXT"));
  WriteHost(hostBase + "/second.txt", "2"); // likely within the same time-stamp tick
  EXPECT_TRUE(Fs().IsFile(base + "SECOND.TXT"));
  std::filesystem::remove(hostBase + "/first.txt");
  EXPECT_FALSE(Fs().IsFile(base + "FIRST.TXT"));
  std::filesystem::create_directory(hostBase + "/sub");
  WriteHost(hostBase + "/sub/inner.txt", "3");
  EXPECT_TRUE(Fs().IsFile(base + "SUB\\INNER.TXT"));
}

TEST_F(PathMapTest, AFolderRemovedAndMadeAgainIsSeenFresh) {
  ASSERT_TRUE(Fs().CreateFolder(base + "d"));
  ASSERT_EQ(Fs().ReplaceFile(base + "d\\a.txt", "x", 1, nullptr), platform::IoStatus::Ok);
  ASSERT_TRUE(Fs().RemoveFile(base + "D\\A.TXT"));
  ASSERT_TRUE(Fs().RemoveFolder(base + "D"));
  EXPECT_FALSE(Fs().IsFile(base + "d\\a.txt"));
  ASSERT_TRUE(Fs().CreateFolder(base + "D"));
  EXPECT_FALSE(Fs().IsFile(base + "d\\a.txt"));
  EXPECT_TRUE(Fs().IsFolder(base + "d"));
}

// A folder made on the host just before its files are written is scanned
// within a tick of its last change, where a miss might hide an entry added
// in the same tick: the first miss is confirmed by a new scan, but the
// process's own writes after it are not confirmed again file after file.
TEST_F(PathMapTest, TenThousandFilesIntoAFolderMadeJustBeforeCostAFewScansNotOnePerFile) {
  const std::string hostDir = machine.HostPath(base) + "/Fresh";
  ASSERT_TRUE(std::filesystem::create_directory(hostDir));
  platform::posix::DirCache& cache = CurrentEmulatedMachine().Paths().Cache();
  const size_t scansBefore = cache.Scans();
  const int count = 10000;
  for (int n = 0; n < count; ++n)
    ASSERT_EQ(Fs().ReplaceFile(base + "Fresh\\f" + std::to_string(n) + ".txt", "x", 1, nullptr),
              platform::IoStatus::Ok);
  // The folder and its parent (which the host changed too): a first scan and
  // one confirmation each.
  EXPECT_LE(cache.Scans() - scansBefore, 4u);
  for (int n = 0; n < count; n += 1111)
    EXPECT_TRUE(Fs().IsFile(base + "FRESH\\F" + std::to_string(n) + ".TXT")) << n;
  EXPECT_FALSE(Fs().IsFile(base + "Fresh\\f" + std::to_string(count) + ".txt"));
}

} // namespace

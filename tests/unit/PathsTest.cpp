// Path building and taking apart, the folder-existence test, the current
// folder stack, special and temporary folders, temporary names and folder
// creation with its log lines.
#include "instutils/Paths.h"
#include "instutils/InstallLog.h"
#include "instutils/TextUtils.h"

#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Threads.h"
#include "support/FaultyFiles.h"
#include "support/ScopedInstallLog.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>

namespace {

std::string WithBackslash(std::string path) {
  AddTrailingBackslash(path);
  return path;
}

std::string MakeFolder(const std::string& path) {
  EXPECT_TRUE(platform::Fs().CreateFolder(path)) << path;
  return WithBackslash(path);
}

void MakeFile(const std::string& path) {
  ASSERT_TRUE(WriteStringToFile(path, "x")) << path;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  }
  return s;
}

} // namespace

TEST(AddTrailingBackslash, EndsPathsInExactlyOneBackslash) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"", ""},
               {"C:", "C:\\"},
               {"C:\\A/", "C:\\A\\"},
               {"C:\\A\\", "C:\\A\\"},
               {"C:\\A", "C:\\A\\"}};
  for (const auto& c : cases) {
    std::string path = c.in;
    AddTrailingBackslash(path);
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
  EXPECT_EQ(JoinPath("C:\\A", "x.txt"), "C:\\A\\x.txt");
  EXPECT_EQ(JoinPath("C:\\A\\", "x.txt"), "C:\\A\\x.txt");
  EXPECT_EQ(JoinPath("", "x.txt"), "x.txt");
}

TEST(PathParts, TakeDriveAndFolderPartsOfLocalAndNetworkPaths) {
  EXPECT_EQ(DrivePart("C:\\x\\y"), "C:");
  EXPECT_EQ(DrivePart("e:"), "e:");
  EXPECT_EQ(DrivePart("\\\\server\\share\\x"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("x\\y"), "");
  EXPECT_EQ(DrivePart(""), "");
  EXPECT_EQ(ExtractFolder("C:\\A\\B.lnk"), "C:\\A\\");
  EXPECT_EQ(ExtractFolder("C:B"), "C:");
  EXPECT_EQ(ExtractFolder("B.lnk"), "");
  EXPECT_TRUE(IsAbsolutePath("C:\\"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\x"));
  EXPECT_FALSE(IsAbsolutePath("C:x"));
  EXPECT_FALSE(IsAbsolutePath("\\x"));
  EXPECT_FALSE(IsAbsolutePath("x"));
}

TEST(TempNamePrefix, IsATildeAndTheAsciiLettersOfTheTitle) {
  EXPECT_EQ(TempNamePrefix(), "~InstallationdutraitementdetexteBrevantoVersionLight");
}

TEST(GetSpecialFolder, AnswersKnownFoldersAndNothingForUnknownOnes) {
  TestMachine machine;
  std::string documents = GetSpecialFolder(csidl::kPersonal);
  EXPECT_FALSE(documents.empty());
  EXPECT_NE(LastChar(documents), '\\');
  EXPECT_EQ(GetSpecialFolder(0x7F), "");
}

// Counts the questions and answers from a table that a test may change.
class CountingShell : public platform::Shell {
public:
  std::optional<std::string> FolderPath(int csidl) override {
    ++asked[csidl];
    const auto known = folders.find(csidl);
    if (known == folders.end())
      return std::nullopt;
    return known->second;
  }
  std::unique_ptr<platform::ShellLink> NewShellLink() override { return nullptr; }

  std::map<int, std::string> folders;
  std::map<int, int> asked;
};

class SpecialFolderMemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    shell.folders = {{csidl::kCommonAppData, "C:\\ProgramData"}, {csidl::kPersonal, "C:\\Docs"}};
    platform::Platform services = platform::Current();
    services.shell = &shell;
    scope = std::make_unique<platform::ScopedPlatform>(services);
  }

  // GetSpecialFolder asked on a thread of its own.
  static std::string AskedElsewhere(int csidl) {
    std::string answer;
    platform::Thread other;
    EXPECT_TRUE(other.Start([&] { answer = GetSpecialFolder(csidl); }));
    other.Join();
    return answer;
  }

  CountingShell shell;
  std::unique_ptr<platform::ScopedPlatform> scope;
};

TEST_F(SpecialFolderMemoTest, AsksOncePerFolderWhileItLivesFailuresIncluded) {
  {
    const TSpecialFolderMemo memo;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(GetSpecialFolder(csidl::kCommonAppData), "C:\\ProgramData");
      EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "C:\\Docs");
      EXPECT_EQ(GetSpecialFolder(0x7F), "");
    }
    shell.folders[csidl::kPersonal] = "D:\\Moved";
    EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "C:\\Docs");
  }
  EXPECT_EQ(shell.asked,
            (std::map<int, int>{{csidl::kPersonal, 1}, {csidl::kCommonAppData, 1}, {0x7F, 1}}));
  // Once it has gone, every question reaches the system again.
  EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "D:\\Moved");
  EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "D:\\Moved");
  EXPECT_EQ(shell.asked[csidl::kPersonal], 3);
}

TEST_F(SpecialFolderMemoTest, LeavesOtherThreadsAndInnerMemosAlone) {
  const TSpecialFolderMemo memo;
  EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "C:\\Docs");
  shell.folders[csidl::kPersonal] = "D:\\Moved";
  EXPECT_EQ(AskedElsewhere(csidl::kPersonal), "D:\\Moved");
  {
    const TSpecialFolderMemo inner;
    EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "C:\\Docs");
  }
  // The inner memo's end did not end the outer one.
  EXPECT_EQ(GetSpecialFolder(csidl::kPersonal), "C:\\Docs");
  EXPECT_EQ(shell.asked[csidl::kPersonal], 2);
}

class DirExistsTest : public ::testing::Test {
protected:
  TestMachine machine;
  std::string base = machine.Base();
};

TEST_F(DirExistsTest, IsTrueForAnExistingFolderWithOrWithoutBackslashInAnyCase) {
  std::string sub = MakeFolder(base + "Sous Dossier");
  EXPECT_TRUE(DirExists(sub));
  EXPECT_TRUE(DirExists(sub.substr(0, sub.size() - 1)));
  EXPECT_TRUE(DirExists(UpperCase(sub)));
  EXPECT_TRUE(DirExists(Lower(sub)));
  EXPECT_TRUE(DirExists(sub.substr(0, 3)));
}

TEST_F(DirExistsTest, IsFalseForMissingFoldersFilesAndEmptyPaths) {
  MakeFile(base + "file.txt");
  EXPECT_FALSE(DirExists(base + "missing\\"));
  EXPECT_FALSE(DirExists(base + "file.txt"));
  EXPECT_FALSE(DirExists(""));
}

// A folder whose rights refuse entering it cannot become the current folder:
// it does not count as there, while its parent and its neighbours still do.
TEST_F(DirExistsTest, IsFalseForAFolderThatCannotBeEntered) {
  const std::string locked = MakeFolder(base + "Verrouill\xE9");
  const std::string open = MakeFolder(base + "Ouvert");
  FaultyFiles files;
  files.FailPath(FileOp::Enter, locked, platform::IoStatus::AccessDenied);
  EXPECT_FALSE(DirExists(locked));
  EXPECT_FALSE(DirExists(UpperCase(locked.substr(0, locked.size() - 1))));
  EXPECT_TRUE(platform::Fs().IsFolder(locked));
  EXPECT_TRUE(DirExists(open));
  EXPECT_TRUE(DirExists(base));
}

TEST_F(DirExistsTest, IsFalseForPathsThatAreNotNormalised) {
  std::string sub = MakeFolder(base + "sub");
  std::string withoutSlash = base.substr(0, base.size() - 1);
  EXPECT_FALSE(DirExists(sub + "..\\sub\\"));
  EXPECT_FALSE(DirExists(sub + ".\\"));
  EXPECT_FALSE(DirExists(base + "sub\\\\"));
  EXPECT_FALSE(DirExists(base + "\\sub\\"));
  EXPECT_FALSE(DirExists(base + "sub.\\"));
  EXPECT_FALSE(DirExists(base + "sub \\"));
  std::string forward = sub;
  forward[base.size() - 1] = '/';
  EXPECT_FALSE(DirExists(forward));
  EXPECT_FALSE(DirExists(withoutSlash.substr(2)));
}

TEST_F(DirExistsTest, IsFalseForRelativePathsEvenOfTheCurrentFolder) {
  MakeFolder(base + "sub");
  PushCurrentDir();
  platform::Fs().SetCurrentFolder(base);
  bool relative = DirExists("sub");
  bool dot = DirExists(".");
  PopCurrentDir();
  EXPECT_FALSE(relative);
  EXPECT_FALSE(dot);
}

TEST_F(DirExistsTest, LeavesTheCurrentFolderAlone) {
  std::string sub = MakeFolder(base + "sub");
  std::string before = CurrentDir();
  EXPECT_TRUE(DirExists(sub));
  EXPECT_FALSE(DirExists(base + "missing\\"));
  EXPECT_EQ(CurrentDir(), before);
}

TEST_F(DirExistsTest, AnswersRightWhileAnotherThreadAsksAboutOtherFolders) {
  std::string sub = MakeFolder(base + "sub");
  std::string missing = base + "missing\\";
  std::atomic<int> wrong{0};
  platform::Thread other;
  ASSERT_TRUE(other.Start([&] {
    for (int i = 0; i < 2000; ++i)
      wrong += DirExists(missing) ? 1 : 0;
  }));
  for (int i = 0; i < 2000; ++i)
    wrong += DirExists(sub) ? 0 : 1;
  other.Join();
  EXPECT_EQ(wrong, 0);
}

TEST(CurrentDirStack, PopRestoresThePushedFolderAndIgnoresAnEmptyStack) {
  TestMachine machine;
  std::string start = CurrentDir();
  EXPECT_EQ(LastChar(start), '\\');
  PushCurrentDir();
  ASSERT_TRUE(platform::Fs().SetCurrentFolder(machine.Base()));
  EXPECT_TRUE(SameTextNoCase(CurrentDir(), machine.Base()));
  PopCurrentDir();
  EXPECT_EQ(CurrentDir(), start);
  PopCurrentDir();
  EXPECT_EQ(CurrentDir(), start);
}

class TempFolderTest : public ::testing::Test {
protected:
  TestMachine machine;
  FaultyFiles files;
  std::string temp = MakeFolder(machine.Base() + "Temp");

  void SetUp() override { files.RedirectTempPath(temp); }
  std::string Numbered(int n) { return temp + TempNamePrefix() + std::to_string(n) + ".tmp"; }
};

TEST_F(TempFolderTest, GetTempDirFallsBackToTheDocumentsFolder) {
  EXPECT_EQ(GetTempDir(), temp);
  files.RedirectTempPath(machine.Base() + "missing\\");
  EXPECT_EQ(GetTempDir(), WithBackslash(GetSpecialFolder(csidl::kPersonal)));
}

TEST_F(TempFolderTest, NewTempFileNameTakesTheFirstNumberWithoutAFile) {
  EXPECT_EQ(NewTempFileName(), Numbered(0));
  MakeFile(Numbered(0));
  MakeFile(Numbered(1));
  EXPECT_EQ(NewTempFileName(), Numbered(2));
}

TEST_F(TempFolderTest, NewTempFileNameDoesNotCountAFolderAsTaken) {
  MakeFolder(Numbered(0));
  EXPECT_EQ(NewTempFileName(), Numbered(0));
}

class ForceDirTest : public ::testing::Test {
protected:
  TestMachine machine;
  ScopedInstallLog log;
  std::string base = machine.Base();
};

TEST_F(ForceDirTest, CreatesAndLogsMissingLevelsOutermostFirstAndOnlyOnce) {
  ForceDir(base + "B\\C\\");
  EXPECT_TRUE(DirExists(base + "B\\C\\"));
  std::vector<std::string> expected = {"Made Dir: " + base + "B\\", "Made Dir: " + base + "B\\C\\"};
  EXPECT_EQ(log.Lines(), expected);
  ForceDir(base + "B\\C\\");
  EXPECT_EQ(log.Lines(), expected);
}

TEST_F(ForceDirTest, LogsLevelsWithoutBackslashAsPassed) {
  ForceDir(base + "B\\C");
  std::vector<std::string> expected = {"Made Dir: " + base + "B\\", "Made Dir: " + base + "B\\C"};
  EXPECT_EQ(log.Lines(), expected);
}

TEST_F(ForceDirTest, LogsNothingWhileSuspendedOrBeforeTheLogExists) {
  SuspendLogging();
  ForceDir(base + "Suspended\\");
  ResumeLogging();
  FreeInstallLog();
  ForceDir(base + "NoLog\\");
  NewInstallLog();
  EXPECT_TRUE(DirExists(base + "Suspended\\"));
  EXPECT_TRUE(DirExists(base + "NoLog\\"));
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ForceDirTest, IgnoresPathsThatAreNotAbsolute) {
  PushCurrentDir();
  platform::Fs().SetCurrentFolder(base);
  ForceDir("relative\\");
  ForceDir("relative");
  ForceDir("");
  PopCurrentDir();
  EXPECT_FALSE(DirExists(base + "relative\\"));
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ForceDirTest, LogsLevelsItCouldNotCreateButNeverADriveRoot) {
  if (!machine.Emulated())
    GTEST_SKIP() << "needs a drive letter known to be absent";
  ForceDir("Q:\\A\\B\\");
  std::vector<std::string> expected = {"Made Dir: Q:\\A\\", "Made Dir: Q:\\A\\B\\"};
  EXPECT_EQ(log.Lines(), expected);
}

// The install log: its duplicate test, suspension, the Install.log file
// (merge, save, line ends, failures), whole-file writes, folder-tree and
// temporary-file removal.
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "instutils/TextUtils.h"

#include "platform/Constants.h"
#include "platform/Text.h"
#include "support/FaultyFiles.h"
#include "support/ScopedInstallLog.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;
using platform::IoStatus;

namespace {

std::string Read(const std::string& name) {
  std::string text;
  EXPECT_EQ(platform::Fs().ReadFile(name, text), IoStatus::Ok) << name;
  return text;
}

// The text as the locale's case-insensitive comparison sees it.
std::string Folded(const std::string& text) {
  std::string folded;
  for (char c : text)
    folded += platform::CompareFold(static_cast<uint8_t>(c));
  return folded;
}

// The log a linear search with the locale comparison would build.
Lines LinearLog(const Lines& added) {
  Lines log;
  for (const std::string& line : added) {
    bool found = false;
    for (const std::string& kept : log)
      found = found || Folded(kept) == Folded(line);
    if (!found)
      log.push_back(line);
  }
  return log;
}

} // namespace

TEST(AddLogLine, DropsALineEqualToAnEarlierOneIgnoringCase) {
  ScopedInstallLog log;
  AddLogLine("File Copy: C:\\A\\x.txt");
  AddLogLine("File Copy: c:\\a\\X.TXT");
  AddLogLine("Made Dir: C:\\Modèles\\");
  AddLogLine("MADE DIR: C:\\MODÈLES\\");
  AddLogLine("File Copy: C:\\A\\x.txt ");
  EXPECT_EQ(log.Lines(), (Lines{"File Copy: C:\\A\\x.txt", "Made Dir: C:\\Modèles\\",
                                "File Copy: C:\\A\\x.txt "}));
}

// The locale comparison expands the ligatures and ignores the soft hyphen,
// where plain upper-casing does not: such lines are duplicates too.
TEST(AddLogLine, DropsALineTheLocaleFindsEqualThroughALigatureOrASoftHyphen) {
  ScopedInstallLog log;
  const Lines kept = {"File Copy: C:\\\x8Cuvres\\C\xE6sar.doc",
                      "File Copy: C:\\Stra\xDF"
                      "e.txt",
                      "File Copy: C:\\Coupe\xAD"
                      "de\xAD"
                      "mots.dat"};
  for (const std::string& line : kept)
    AddLogLine(line);
  for (const char* same : {"file copy: c:\\oeuvres\\CAESAR.DOC",
                           "File Copy: C:\\\x9C"
                           "uvres\\C\xC6sar.doc",
                           "FILE COPY: C:\\STRASSE.TXT", "File Copy: C:\\stra\xADsse.txt",
                           "File Copy: C:\\Coupedemots.dat",
                           "File Copy: C:\\COUPE\xAD\xAD"
                           "DEMOTS.DAT"})
    AddLogLine(same);
  EXPECT_EQ(log.Lines(), kept);

  const Lines different = {"File Copy: C:\\Oevres\\Caesar.doc", "File Copy: C:\\Stra\xDF.txt",
                           "File Copy: C:\\Strase.txt", "File Copy: C:\\Coupe-de-mots.dat",
                           "File Copy: C:\\Coup\xE9"
                           "demots.dat"};
  for (const std::string& line : different)
    AddLogLine(line);
  EXPECT_EQ(log.Lines().size(), kept.size() + different.size());
}

TEST(AddLogLine, RecordsNothingWhileSuspendedAndSuspensionsNest) {
  ScopedInstallLog log;
  SuspendLogging();
  SuspendLogging();
  ResumeLogging();
  AddLogLine("still suspended");
  ResumeLogging();
  AddLogLine("active");
  EXPECT_EQ(log.Lines(), Lines{"active"});
}

TEST(AddLogLine, IsHarmlessBeforeTheLogExists) {
  ASSERT_EQ(InstallLog, nullptr);
  AddLogLine("File Copy: C:\\x.txt");
  EXPECT_EQ(InstallLog, nullptr);
}

TEST(TInstallLog, KeepsTheSameLinesAsALinearCaseInsensitiveSearch) {
  Lines added;
  const char* names[] = {"Télécopies", "TÉLÉCOPIES", "télécopieS", "Mémos",     "MEMOS",   "Œuvre",
                         "œuvre",      "Ÿ",          "ÿ",          "straße",    "STRASSE", "oeuvre",
                         "C\xE6sar",   "CAESAR",     "Ca\xADsar",  "Coupe\xAD", "COUPE"};
  for (int i = 0; i < 300; ++i) {
    for (const char* name : names)
      added.push_back("File Copy: C:\\" + std::string(name) + std::to_string(i % 37));
  }
  TInstallLog log;
  for (const std::string& line : added)
    log.Add(line);
  EXPECT_EQ(log.Lines(), LinearLog(added));
}

TEST(TInstallLog, StaysCorrectWithAHundredThousandLines) {
  TInstallLog log;
  const int count = 100000;
  auto line = [](int n) {
    return "File Copy: C:\\Program Files\\Brevanto\\Collections d'inserts\\f" + std::to_string(n) +
           ".wmf";
  };
  for (int n = 0; n < count; ++n)
    log.Add(line(n));
  ASSERT_EQ(log.Count(), size_t(count));
  for (int n = 0; n < count; n += 997) {
    log.Add(UpperCase(line(n)));
    EXPECT_TRUE(log.Contains(UpperCase(line(n))));
  }
  EXPECT_EQ(log.Count(), size_t(count));
  log.Add(line(count));
  EXPECT_EQ(log.Count(), size_t(count + 1));
  EXPECT_EQ(log.Lines().front(), line(0));
  EXPECT_EQ(log.Lines().back(), line(count));
  log.Clear();
  EXPECT_FALSE(log.Contains(line(0)));
}

TEST(SplitLines, EndsLinesAtCrLfOrCrLfAndStopsAtAZeroByte) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\rb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
}

class LogFileTest : public ::testing::Test {
protected:
  TestMachine machine;
  std::string dest = machine.Base();
  std::string logName = JoinPath(dest, "Install.log");

  // The wizard's steps on entering the installing page.
  void StartLog() {
    NewInstallLog();
    LogSuspendCount = 0;
    InstallLogFileName = logName;
    LoadInstallLog(logName);
  }
  void TearDown() override { FreeInstallLog(); }
};

TEST_F(LogFileTest, MergesAnEarlierLogAndKeepsItsLinesFirst) {
  ASSERT_TRUE(WriteStringToFile(logName, "Made Dir: C:\\B\\\r\nFile Copy: C:\\B\\kre.exe\r\n"
                                         "File Copy: C:\\B\\us.zlx\r\n"));
  StartLog();
  AddLogLine("File Copy: C:\\B\\Licence.txt");
  AddLogLine("file copy: c:\\b\\KRE.EXE");
  AddLogLine("File Copy: C:\\B\\uk.zlx");
  ASSERT_TRUE(SaveInstallLog());
  EXPECT_EQ(Read(logName), "Made Dir: C:\\B\\\r\nFile Copy: C:\\B\\kre.exe\r\n"
                           "File Copy: C:\\B\\us.zlx\r\nFile Copy: C:\\B\\Licence.txt\r\n"
                           "File Copy: C:\\B\\uk.zlx\r\n");
}

TEST_F(LogFileTest, KeepsRepeatedLinesOfTheOldFileAndReadsAnyLineEnd) {
  ASSERT_TRUE(WriteStringToFile(logName, "a\nA\ra\r\nlast"));
  StartLog();
  AddLogLine("a");
  EXPECT_EQ(InstallLog->Lines(), (Lines{"a", "A", "a", "last"}));
}

// A long old file, repeats included, is taken whole and saved back byte for
// byte; its lines stay known to the duplicate test however often the index
// grew while it loaded.
TEST_F(LogFileTest, ALongOldLogWithRepeatsLoadsWholeAndStillRefusesItsLinesAgain) {
  std::string text;
  for (int n = 0; n < 3000; ++n) {
    const std::string line = "File Copy: C:\\B\\Mod\xE8les\\f" + std::to_string(n) + ".dot";
    text += line + "\r\n" + UpperCase(line) + "\r\n";
  }
  ASSERT_TRUE(WriteStringToFile(logName, text));
  StartLog();
  ASSERT_EQ(InstallLog->Count(), 6000u);
  for (int n = 0; n < 3000; n += 7)
    AddLogLine("file copy: c:\\b\\MOD\xC8LES\\F" + std::to_string(n) + ".DOT");
  AddLogLine("File Copy: C:\\B\\new.dot");
  ASSERT_TRUE(SaveInstallLog());
  EXPECT_EQ(Read(logName), text + "File Copy: C:\\B\\new.dot\r\n");
}

TEST_F(LogFileTest, SavesAnEmptyLogAsAnEmptyFile) {
  ASSERT_TRUE(WriteStringToFile(logName, "old\r\n"));
  NewInstallLog();
  InstallLogFileName = logName;
  ASSERT_TRUE(SaveInstallLog());
  EXPECT_EQ(Read(logName), "");
}

TEST_F(LogFileTest, AFolderNamedInstallLogIsNotRead) {
  ASSERT_TRUE(platform::Fs().CreateFolder(logName));
  StartLog();
  EXPECT_EQ(InstallLog->Count(), 0u);
  EXPECT_FALSE(LoadInstallLog(logName));
}

TEST_F(LogFileTest, AnUnreadableLogLeavesTheListEmpty) {
  ASSERT_TRUE(WriteStringToFile(logName, "File Copy: C:\\B\\kre.exe\r\n"));
  FaultyFiles files;
  files.FailPath(FileOp::Read, logName, IoStatus::SharingViolation);
  StartLog();
  EXPECT_EQ(InstallLog->Count(), 0u);
  EXPECT_EQ(files.Failures(), 1);
}

TEST_F(LogFileTest, AFailedSaveLeavesThePreviousFileIntact) {
  const std::string previous = "Made Dir: C:\\B\\\r\nFile Copy: C:\\B\\kre.exe\r\n";
  ASSERT_TRUE(WriteStringToFile(logName, previous));
  StartLog();
  AddLogLine("File Copy: C:\\B\\Licence.txt");
  FaultyFiles files;
  files.FailNth(FileOp::Replace, 1, IoStatus::DiskFull);
  EXPECT_FALSE(SaveInstallLog());
  EXPECT_EQ(Read(logName), previous);
  EXPECT_TRUE(SaveInstallLog());
  EXPECT_EQ(Read(logName), previous + "File Copy: C:\\B\\Licence.txt\r\n");
}

TEST_F(LogFileTest, SavesNothingWithoutALogOrAFileName) {
  EXPECT_FALSE(SaveInstallLog());
  NewInstallLog();
  AddLogLine("File Copy: E:\\Brevanto\\kre.exe");
  EXPECT_FALSE(SaveInstallLog()); // portable: no file name
}

class FileServicesTest : public ::testing::Test {
protected:
  TestMachine machine;
  std::string base = machine.Base();
};

TEST_F(FileServicesTest, WriteStringToFileWritesExactlyTheBytesZerosIncluded) {
  std::string name = base + "kre_common.dat";
  const std::string data("\x01\0\0\x02\xFF\0", 6);
  ASSERT_TRUE(WriteStringToFile(name, data));
  EXPECT_EQ(Read(name), data);
  ASSERT_TRUE(WriteStringToFile(name, ""));
  EXPECT_TRUE(platform::Fs().IsFile(name));
  EXPECT_EQ(Read(name), "");
}

TEST_F(FileServicesTest, AFailedWriteStringToFileLeavesThePreviousFileIntact) {
  std::string name = base + "install_stamp";
  ASSERT_TRUE(WriteStringToFile(name, "previous"));
  FaultyFiles files;
  files.FailPath(FileOp::Replace, name, IoStatus::SharingViolation, 2);
  EXPECT_FALSE(WriteStringToFile(name, "new"));
  EXPECT_FALSE(WriteStringToFile(name, "new"));
  EXPECT_EQ(Read(name), "previous");
  EXPECT_TRUE(WriteStringToFile(name, "new"));
  EXPECT_EQ(Read(name), "new");
}

TEST_F(FileServicesTest, WriteStringToFileFailsWhereAFolderStands) {
  std::string name = base + "folder";
  ASSERT_TRUE(platform::Fs().CreateFolder(name));
  EXPECT_FALSE(WriteStringToFile(name, "x"));
  EXPECT_TRUE(platform::Fs().IsFolder(name));
}

TEST_F(FileServicesTest, DeleteDirTreeRemovesNestedFoldersAndTheFolderItself) {
  std::string root = base + "Tree";
  for (const char* folder : {"Tree", "Tree\\A", "Tree\\A\\B", "Tree\\Vide", "Tree\\A\\B\\C"})
    ASSERT_TRUE(platform::Fs().CreateFolder(base + folder));
  for (const char* file : {"Tree\\1.txt", "Tree\\A\\2.txt", "Tree\\A\\B\\C\\3.txt"})
    ASSERT_TRUE(WriteStringToFile(base + file, "x"));
  ASSERT_TRUE(WriteStringToFile(base + "kept.txt", "x"));
  DeleteDirTree(root);
  EXPECT_FALSE(platform::Fs().IsFolder(root));
  EXPECT_TRUE(platform::Fs().IsFile(base + "kept.txt"));
}

TEST_F(FileServicesTest, DeleteDirTreeKeepsWhatCannotBeDeletedAndRemovesTheRest) {
  for (const char* folder : {"Tree", "Tree\\A", "Tree\\B"})
    ASSERT_TRUE(platform::Fs().CreateFolder(base + folder));
  ASSERT_TRUE(WriteStringToFile(base + "Tree\\A\\locked.txt", "x"));
  ASSERT_TRUE(WriteStringToFile(base + "Tree\\B\\free.txt", "x"));
  FaultyFiles files;
  files.FailPath(FileOp::RemoveFile, base + "Tree\\A\\locked.txt", IoStatus::SharingViolation);
  DeleteDirTree(base + "Tree\\");
  EXPECT_TRUE(platform::Fs().IsFile(base + "Tree\\A\\locked.txt"));
  EXPECT_FALSE(platform::Fs().IsFolder(base + "Tree\\B"));
}

namespace {

// Reports one folder of a listing as a junction, as Windows lists one.
class JunctionFiles : public FaultyFiles {
public:
  explicit JunctionFiles(std::string name) : name_(std::move(name)) {}
  bool List(const std::string& folder, std::vector<platform::DirEntry>& out) override {
    bool listed = Inner().List(folder, out);
    for (platform::DirEntry& entry : out) {
      if (entry.name == name_)
        entry.attributes |= attr::kReparsePoint;
    }
    return listed;
  }

private:
  std::string name_;
};

} // namespace

TEST_F(FileServicesTest, DeleteDirTreeDoesNotFollowAJunction) {
  for (const char* folder : {"Tree", "Tree\\Link", "Tree\\Link\\Inside"})
    ASSERT_TRUE(platform::Fs().CreateFolder(base + folder));
  ASSERT_TRUE(WriteStringToFile(base + "Tree\\Link\\target.txt", "x"));
  JunctionFiles files("Link");
  DeleteDirTree(base + "Tree");
  EXPECT_TRUE(platform::Fs().IsFile(base + "Tree\\Link\\target.txt"));
  EXPECT_TRUE(platform::Fs().IsFolder(base + "Tree\\Link\\Inside"));
}

TEST_F(FileServicesTest, DeleteDirTreeOfAnEmptyNameTouchesNothing) {
  ASSERT_TRUE(WriteStringToFile(base + "kept.txt", "x"));
  PushCurrentDir();
  platform::Fs().SetCurrentFolder(base);
  DeleteDirTree("");
  PopCurrentDir();
  EXPECT_TRUE(platform::Fs().IsFile(base + "kept.txt"));
}

TEST_F(FileServicesTest, DeleteTempFilesRemovesOnlyNamesWithTheExactPrefix) {
  std::string temp = base + "Temp\\";
  ASSERT_TRUE(platform::Fs().CreateFolder(temp));
  FaultyFiles files;
  files.RedirectTempPath(temp);
  const std::string prefix = TempNamePrefix();
  ASSERT_TRUE(WriteStringToFile(temp + prefix + "7.tmp", "x"));
  ASSERT_TRUE(platform::Fs().CreateFolder(temp + prefix));
  ASSERT_TRUE(platform::Fs().CreateFolder(temp + prefix + "\\Sous"));
  ASSERT_TRUE(WriteStringToFile(temp + prefix + "\\Sous\\Licence.txt", "x"));
  ASSERT_TRUE(WriteStringToFile(temp + UpperCase(prefix) + "8.tmp", "x"));
  ASSERT_TRUE(WriteStringToFile(temp + "autre.tmp", "x"));
  DeleteTempFiles();
  EXPECT_FALSE(platform::Fs().IsFile(temp + prefix + "7.tmp"));
  EXPECT_FALSE(platform::Fs().IsFolder(temp + prefix));
  EXPECT_TRUE(platform::Fs().IsFile(temp + UpperCase(prefix) + "8.tmp"));
  EXPECT_TRUE(platform::Fs().IsFile(temp + "autre.tmp"));
}

// The install thread when files cannot be written: the error dialog and its
// three answers, the previous file kept intact by every failed attempt, and
// a fault injected at every write in turn.
#include "InstallThreadFixture.h"

#include "engine/InstallStatus.h"
#include "engine/MessageKinds.h"
#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "wizard/MessageDialog.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using platform::IoStatus;
using Lines = std::vector<std::string>;

class InstallFaultTest : public InstallThreadFixture {
protected:
  const double kDate = Date(2005, 6, 7, 8, 9, 10);

  // The names in the destination folder, to see that no temporary file stays.
  std::vector<std::string> Listing() {
    std::vector<platform::DirEntry> entries;
    EXPECT_TRUE(platform::Fs().List(machine_.Base(), entries));
    std::vector<std::string> names;
    for (const auto& e : entries)
      names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The error message as cp1252 bytes (octal escapes: \351 is "é", \352 "ê").
std::string CannotCreate(const std::string& path) {
  return "Impossible de cr\351er le fichier \"" + path +
         "\".\rCe fichier est peut-\352tre actuellement utilis\351 par une autre application."
         "\r\rVeuillez vous assurer que le processus d'installation du traitement de texte "
         "Brevanto n'est pas bloqu\351 par votre logiciel de s\351curit\351 (pare-feu ou "
         "antivirus).\rEssayez de d\351sactiver votre logiciel de s\351curit\351 et relancez "
         "l'installation d'Brevanto.";
}

TEST_F(InstallFaultTest, DiskFullAsksNamingThePathAndRetrySucceeds) {
  UseCatalogue({{"kre.exe", "new program", kDate}});
  Write(Path("kre.exe"), "old program");
  Plan("kre.exe", 0);
  Faulty().FailNth(FileOp::Replace, 1, IoStatus::DiskFull);
  user_.onRequest = [&](const DialogRequest& request) {
    EXPECT_EQ(request.text, CannotCreate(Path("kre.exe")));
    EXPECT_EQ(request.kind, mkError);
    EXPECT_EQ(request.buttons, mbAbort | mbRetry | mbIgnore);
    // The failed attempt left the previous file as it was, and nothing beside it.
    EXPECT_EQ(Read(Path("kre.exe")), "old program");
    EXPECT_EQ(Listing(), (Lines{"kre.exe"}));
  };
  user_.Script({dlg::kRetry});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(user_.requests.size(), 1u);
  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(Read(Path("kre.exe")), "new program");
  EXPECT_EQ(GetFileWriteDate(Path("kre.exe")), kDate);
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("kre.exe")}));
}

// Each answer Retry comes after the attempt and its four silent retries.
TEST_F(InstallFaultTest, LockedFileIsWrittenOnceReleasedAfterTwoRetries) {
  UseCatalogue({{"kre.exe", "program", kDate}, {"Licence.txt", "licence", kDate}});
  Plan("kre.exe", 0);
  Plan("Licence.txt", 0);
  Faulty().FailPath(FileOp::Replace, Path("kre.exe"), IoStatus::SharingViolation, 10);
  user_.Script({dlg::kRetry, dlg::kRetry});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(user_.requests.size(), 2u);
  EXPECT_EQ(Read(Path("kre.exe")), "program");
  EXPECT_EQ(Read(Path("Licence.txt")), "licence");
  EXPECT_EQ(InstallStatus.Position, files_->TotalSizeToInstall());
}

// A virus scanner or the indexer holding a file just written for a moment:
// the write is tried again a few times before the user is asked.
TEST_F(InstallFaultTest, FileHeldForAMomentIsWrittenWithoutAskingTheUser) {
  UseCatalogue({{"kre.exe", "program", kDate}});
  Plan("kre.exe", 0);
  Faulty().FailPath(FileOp::Replace, Path("kre.exe"), IoStatus::SharingViolation, 2);
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(user_.requests.empty());
  EXPECT_EQ(Faulty().Calls(FileOp::Replace), 3);
  EXPECT_EQ(Read(Path("kre.exe")), "program");
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("kre.exe")}));
}

TEST_F(InstallFaultTest, FileHeldForGoodIsTriedForAboutASecondThenTheUserIsAsked) {
  UseCatalogue({{"kre.exe", "program", kDate}});
  Plan("kre.exe", 0);
  Faulty().FailPath(FileOp::Replace, Path("kre.exe"), IoStatus::AccessDenied);
  user_.Script({dlg::kAbort});
  const auto start = std::chrono::steady_clock::now();
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_EQ(user_.requests.size(), 1u);
  EXPECT_EQ(Faulty().Calls(FileOp::Replace), 5);
  EXPECT_EQ(InstallStatus.State(), tsFailed);
}

// Other failures (a full disk) do not go away by waiting: asked at once.
TEST_F(InstallFaultTest, FullDiskIsNotRetriedBeforeAsking) {
  UseCatalogue({{"kre.exe", "program", kDate}});
  Plan("kre.exe", 0);
  Faulty().FailPath(FileOp::Replace, Path("kre.exe"), IoStatus::DiskFull);
  user_.Script({dlg::kAbort});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Faulty().Calls(FileOp::Replace), 1);
}

TEST_F(InstallFaultTest, IgnoreKeepsThePreviousFileAndStillCountsItsSize) {
  UseCatalogue({{"kre.exe", "new program", kDate}, {"Licence.txt", "licence", kDate}});
  Write(Path("kre.exe"), std::string("old\0program\r\n", 13));
  Plan("kre.exe", 0);
  Plan("Licence.txt", 0);
  Faulty().FailPath(FileOp::Replace, Path("kre.exe"), IoStatus::DiskFull);
  user_.Script({dlg::kIgnore});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(Read(Path("kre.exe")), std::string("old\0program\r\n", 13));
  EXPECT_EQ(Read(Path("Licence.txt")), "licence");
  EXPECT_EQ(InstallStatus.Position, files_->TotalSizeToInstall());
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("Licence.txt")}));
}

TEST_F(InstallFaultTest, FolderStandingAtTheDestinationIsReportedAndKept) {
  UseCatalogue({{"us.zlx", "us", kDate}});
  Plan("us.zlx", 2);
  ASSERT_TRUE(platform::Fs().CreateFolder(Path("us.zlx")));
  user_.Script({dlg::kIgnore});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(user_.requests.size(), 1u);
  EXPECT_TRUE(platform::Fs().IsFolder(Path("us.zlx")));
  EXPECT_EQ(Listing(), (Lines{"us.zlx"}));
}

TEST_F(InstallFaultTest, AbortEndsTheInstallationAtOnce) {
  UseCatalogue({{"Sub\\a.txt", "a", kDate},
                {"b.txt", "b", kDate},
                {"c.txt", "c", kDate},
                {"d.txt", "d", kDate}});
  Plan("Sub\\a.txt", 1);
  SuspendLogging(); // b is unlogged: Abort must still resume logging
  Plan("b.txt", 1);
  ResumeLogging();
  Plan("c.txt", 1);
  Plan("d.txt", 2);
  Faulty().FailPath(FileOp::Replace, Path("b.txt"), IoStatus::AccessDenied);
  user_.Script({dlg::kAbort});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(InstallStatus.State(), tsFailed);
  EXPECT_EQ(InstallStatus.Position, 1);
  EXPECT_EQ(InstallStatus.CurComp, 1);
  EXPECT_EQ(Listing(), (Lines{"Sub"}));
  EXPECT_EQ(Log(), (Lines{"Made Dir: " + Path("Sub\\"), "File Copy: " + Path("Sub\\a.txt")}));
  EXPECT_EQ(LogSuspendCount, 0);
}

// Disk full at the n-th write, n = 1, 2, ... until a run meets no fault,
// answered Ignore: exactly that file keeps its previous content, every other
// one is replaced, and nothing else appears in the folder.
TEST_F(InstallFaultTest, FailureAtEachWriteInTurnLosesNothing) {
  const std::vector<std::string> names = {"a.txt", "b.txt", "c.txt", "d.txt"};
  std::vector<TestEntry> entries;
  for (const std::string& name : names)
    entries.push_back({name, "new " + name, kDate});
  UseCatalogue(entries);
  for (size_t i = 0; i < names.size(); ++i)
    Plan(names[i], int(i) * 2);
  for (size_t n = 1;; ++n) {
    ASSERT_LE(n, names.size() + 1);
    SCOPED_TRACE("failing write " + std::to_string(n));
    for (const std::string& name : names)
      Write(Path(name), "old " + name);
    InstallStatus.Reset();
    Faulty().ClearFaults();
    const int failuresBefore = Faulty().Failures();
    Faulty().FailNth(FileOp::Replace, int(n), IoStatus::DiskFull);
    if (n <= names.size())
      user_.Script({dlg::kIgnore});
    Start();
    ASSERT_TRUE(RunToEnd());
    const bool hit = Faulty().Failures() > failuresBefore;
    EXPECT_EQ(InstallStatus.State(), tsStop);
    for (size_t i = 0; i < names.size(); ++i)
      EXPECT_EQ(Read(Path(names[i])), (hit && i + 1 == n ? "old " : "new ") + names[i]);
    EXPECT_EQ(Listing(), names);
    EXPECT_EQ(InstallStatus.Position, files_->TotalSizeToInstall());
    if (!hit)
      break;
  }
  EXPECT_EQ(user_.requests.size(), names.size());
}

// Without a user interface to ask, a failure is reported as Abort: neither a
// retry (the fault would have run out by the second attempt) nor a file
// counted as written.
TEST_F(InstallFaultTest, FailureWithoutAnyoneToAskIsAnAbort) {
  UseCatalogue({{"Licence.txt", "Licence", kDate}});
  SetMessageDialogHandler(nullptr);
  Faulty().FailPath(FileOp::Replace, Path("Licence.txt"), IoStatus::DiskFull, 1);
  EXPECT_FALSE(files_->ExtractFile(nullptr, "Licence.txt", Path("Licence.txt")));
  EXPECT_EQ(Faulty().Calls(FileOp::Replace), 1);
  EXPECT_FALSE(platform::Fs().IsFile(Path("Licence.txt")));
}

} // namespace

// Installations on a machine whose file system fails on cue: the Finish click
// stays on its page when "Update.log" cannot be saved, the old logs survive
// failed saves, an aborted extraction still records what was done, and a
// write failing anywhere never leaves a log half written.
#include "IntegrationHarness.h"

#include "engine/ThreadMessageDlg.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/FinishActions.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

using platform::RegRoot;

namespace {

const std::string kDir = "C:\\Program Files\\Brevanto\\";
const std::string kOldInstallLog =
    "Made Dir: " + kDir + "\r\nFile Copy: " + kDir + "Ancien.dll\r\n";
const std::string kOldUpdateLog = "*0000000000000040\r\nC:\\X\\Ancien.dot\t!\r\n";

class IntegrationFaultsTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    files = BuildCatalogue(SampleEntries());
    ASSERT_TRUE(files);
    updateLog = JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\Update.log");
    m.Write(kDir + "Install.log", kOldInstallLog);
    m.Write(updateLog, kOldUpdateLog);
    ReadRegistrySettings(state, {});
  }

  IntegrationMachine m;
  std::unique_ptr<TAttachedFiles> files;
  TSetupState state;
  std::string updateLog;
};

TEST_F(IntegrationFaultsTest, FinishClickStaysWhenUpdateLogCannotBeSavedAndWorksOnRetry) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, updateLog, platform::IoStatus::DiskFull, 1);
  std::unique_ptr<TInstallThread> worker = StartInstallation(state, *files);
  RunResult run;
  DriveWorker(*worker, run);
  FinishActions(state);
  m.processes.started.clear();

  EXPECT_FALSE(FinishClick(state, *files));
  EXPECT_EQ(m.Read(updateLog), kOldUpdateLog);
  EXPECT_TRUE(m.processes.started.empty());

  EXPECT_TRUE(FinishClick(state, *files));
  EXPECT_EQ(m.Read(updateLog).substr(0, kOldUpdateLog.size()), kOldUpdateLog);
  ASSERT_EQ(m.processes.started.size(), 1u);
  AfterWizard(state, worker.get());
}

TEST_F(IntegrationFaultsTest, AWithheldLaunchIsToldOnceAndTheWizardStillCloses) {
  for (const bool withheld : {false, true}) {
    std::vector<uint8_t> told;
    SetUserInterfaceThread([&told](const platform::MessageText&, uint8_t kind, uint16_t) {
      told.push_back(kind);
      return dlg::kOk;
    });
    m.processes.launchWithheld = withheld;
    EXPECT_TRUE(FinishClick(state, *files)) << withheld;
    SetUserInterfaceThread(nullptr);
    EXPECT_EQ(told, withheld ? std::vector<uint8_t>{mkInformation} : std::vector<uint8_t>{})
        << withheld;
  }
}

TEST_F(IntegrationFaultsTest, FailedInstallLogSaveKeepsTheOldLogAndTheSettings) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDir + "Install.log", platform::IoStatus::SharingViolation);
  const RunResult run = RunInstallation(state, *files);
  EXPECT_TRUE(run.finishClicked);
  EXPECT_GE(faulty.Failures(), 1);
  faulty.ClearFaults();
  EXPECT_EQ(m.Read(kDir + "Install.log"), kOldInstallLog);
  EXPECT_TRUE(m.Value(RegRoot::CurrentUser, kInstallKey, "MAINDIR"));
  EXPECT_TRUE(m.Value(RegRoot::LocalMachine, kUninstallKey, "DisplayName"));
}

TEST_F(IntegrationFaultsTest, AbortedExtractionStillWritesSettingsAndTheLogSoFar) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDir + "Licence.txt", platform::IoStatus::SharingViolation);
  const RunResult run = RunInstallation(state, *files);
  ASSERT_EQ(run.dialogs.size(), 1u);
  EXPECT_NE(run.dialogs[0].find("\"" + kDir + "Licence.txt\""), std::string::npos);
  EXPECT_FALSE(run.finishClicked);
  faulty.ClearFaults();

  EXPECT_EQ(m.Read(kDir + "Install.log"),
            kOldInstallLog + "Made Dir: " +
                JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\Hidden\\") +
                "\r\nFile Copy: " + kDir + "kre.exe\r\n");
  EXPECT_EQ(m.Read(updateLog), kOldUpdateLog);
  EXPECT_FALSE(
      m.Exists(JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\kre_common.dat")));
  EXPECT_TRUE(m.Value(RegRoot::CurrentUser, kInstallKey, "MAINDIR"));
  EXPECT_TRUE(m.Value(RegRoot::LocalMachine, kUninstallKey, "EstimatedSize"));
  EXPECT_TRUE(m.processes.started.empty());
}

// Fails the n-th whole-file write of a run, for n = 1, 2, ... until a run
// completes without a hit; after each, both logs are either the old file or
// a complete new one that keeps the old lines first.
TEST(IntegrationFaultSweep, NoWriteFailureLeavesALogHalfWritten) {
  for (int n = 1; n < 200; ++n) {
    IntegrationMachine m;
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    std::unique_ptr<TAttachedFiles> files = BuildCatalogue(SampleEntries());
    const std::string updateLog =
        JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\Update.log");
    m.Write(kDir + "Install.log", kOldInstallLog);
    m.Write(updateLog, kOldUpdateLog);
    TSetupState state;
    ReadRegistrySettings(state, {});

    FaultyFiles faulty;
    faulty.FailNth(FileOp::Replace, n, platform::IoStatus::DiskFull);
    const RunResult run = RunInstallation(state, *files);
    const bool hit = faulty.Failures() > 0;
    faulty.ClearFaults();

    const std::string log = m.Read(kDir + "Install.log");
    EXPECT_EQ(log.substr(0, kOldInstallLog.size()), kOldInstallLog) << "write " << n;
    EXPECT_TRUE(log == kOldInstallLog || log.ends_with("Brevanto.lnk\r\n") || !run.dialogs.empty())
        << "write " << n;
    const std::string update = m.Read(updateLog);
    EXPECT_TRUE(update == kOldUpdateLog ||
                (update.starts_with(kOldUpdateLog) && update.ends_with("userdicen.tlx\t!\r\n")))
        << "write " << n;
    if (!hit) {
      EXPECT_TRUE(run.finishClicked);
      return;
    }
  }
  ADD_FAILURE() << "every run hit a fault";
}

} // namespace

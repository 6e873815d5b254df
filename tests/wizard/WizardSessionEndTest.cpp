// The end of the user's session (log-off, shut-down) under the wizard: let
// through without a word before and after the extraction, held with a reason
// while it runs; when it comes anyway, the wizard closes as if abandoned and
// what follows it (settings, install log) is done before the session goes.
#include "WizardHarness.h"

#include "engine/Components.h"
#include "engine/InstallStatus.h"
#include "integration/InstallSession.h"
#include "support/FaultyFiles.h"

#include <thread>

namespace {

class WizardSessionEndTest : public WizardTest {
protected:
  int actionRuns = 0;

  void Open() {
    WizardTest::Open();
    form->SetSessionEndAction([this] {
      AfterWizard(form->State(), form->InstallThread());
      ++actionRuns;
    });
  }
  // Asks, then ends the session; what the wizard answered.
  bool EndSession() {
    std::string reason;
    const bool allowed = form->SessionEndAllowed(reason);
    EXPECT_EQ(reason.empty(), allowed);
    form->SessionEnding();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(form->ModalResult(), 2);
    EXPECT_EQ(actionRuns, 1);
    form->SessionEnding(); // a second end changes nothing
    EXPECT_EQ(actionRuns, 1);
    return allowed;
  }
  bool SettingsWritten() const {
    return m.Value(platform::RegRoot::CurrentUser, kInstallKey, "MAINDIR").has_value();
  }
  // The planned files of the components after comp that were written or
  // logged: none may be, once the session has ended during comp.
  std::vector<std::string> WrittenAfter(int comp) const {
    const std::string log = m.Read(kDefaultDirSlash + "Install.log");
    std::vector<std::string> written;
    for (int later = comp + 1; later < kComponentCount; ++later)
      for (const TFileToInstall& file : files->FilesToInstall(later))
        if (m.Exists(file.DestName) || log.find(file.DestName) != std::string::npos)
          written.push_back(file.DestName);
    return written;
  }
  // From the Welcome page into the extraction.
  void StartInstalling() {
    Open();
    NextUntil(4);
    ASSERT_TRUE(view.Press(TControl::NextBtn));
  }
};

const std::string kHyphenation = "Coupe de mots.dat"; // the only file of component 3

TEST_F(WizardSessionEndTest, BeforeTheExtractionTheWizardClosesWithoutAQuestion) {
  Open();
  NextUntil(2);
  EXPECT_TRUE(EndSession());
  EXPECT_TRUE(view.Dialogs().empty());
  EXPECT_FALSE(SettingsWritten());
}

// The worker waits for the answer about a file it cannot write: the end of
// the session answers nothing, and the worker gives that file up and stops.
TEST_F(WizardSessionEndTest, DuringTheExtractionItIsHeldThenStoppedAsAbandoned) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDefaultDirSlash + kHyphenation,
                  platform::IoStatus::AccessDenied);
  StartInstalling();
  ASSERT_TRUE(InstallStatus.WaitUntilFor(tsAsking, kGiveUp));
  EXPECT_FALSE(EndSession());
  EXPECT_TRUE(view.Dialogs().empty()) << "no question was put";
  EXPECT_TRUE(SettingsWritten());
  const std::string log = m.Read(kDefaultDirSlash + "Install.log");
  EXPECT_NE(log.find("File Copy: " + kDefaultDirSlash + "kre.exe"), std::string::npos);
  EXPECT_EQ(log.find(kHyphenation), std::string::npos);
  EXPECT_EQ(WrittenAfter(3), std::vector<std::string>{});
}

// The worker is inside a file's write when the session ends: it finishes that
// file, then stops before the next one.
TEST_F(WizardSessionEndTest, AWorkerInsideAFileEndsAfterThatFile) {
  FaultyFiles faulty;
  faulty.HoldFile(FileOp::Replace, kHyphenation);
  StartInstalling();
  faulty.WaitUntilHeld();
  // The end of the session waits for the worker: it is let go once the stop is ordered.
  std::thread release([&] {
    EXPECT_TRUE(InstallStatus.WaitUntilFor(tsStop, kGiveUp));
    faulty.Release();
  });
  EXPECT_FALSE(EndSession());
  release.join();
  EXPECT_TRUE(m.Exists(kDefaultDirSlash + kHyphenation));
  EXPECT_NE(m.Read(kDefaultDirSlash + "Install.log")
                .find("File Copy: " + kDefaultDirSlash + kHyphenation),
            std::string::npos);
  EXPECT_EQ(WrittenAfter(3), std::vector<std::string>{});
}

TEST_F(WizardSessionEndTest, AfterTheExtractionTheSettingsAreWritten) {
  StartInstalling();
  RunInstallTimer();
  ASSERT_EQ(view.Page(), 6);
  EXPECT_TRUE(EndSession());
  EXPECT_TRUE(SettingsWritten());
  EXPECT_EQ(m.Read(kDefaultDirSlash + "kre.exe"), "contents of kre.exe");
}

} // namespace

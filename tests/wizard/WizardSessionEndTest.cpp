// The end of the user's session (log-off, shut-down) under the wizard: let
// through without a word before and after the extraction, held with a reason
// while it runs; when it comes anyway, the wizard closes as if abandoned and
// what follows it (settings, install log) is done before the session goes.
#include "WizardHarness.h"

#include "engine/InstallStatus.h"
#include "integration/InstallSession.h"
#include "support/FaultyFiles.h"

#include <chrono>
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
  // Holds the worker at a known point: waiting for the answer to its error dialog.
  static bool WorkerAsks() {
    for (int i = 0; i < 10000 && InstallStatus.State() != tsAsking; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return InstallStatus.State() == tsAsking;
  }
};

TEST_F(WizardSessionEndTest, BeforeTheExtractionTheWizardClosesWithoutAQuestion) {
  Open();
  NextUntil(2);
  EXPECT_TRUE(EndSession());
  EXPECT_TRUE(view.Dialogs().empty());
  EXPECT_FALSE(SettingsWritten());
}

TEST_F(WizardSessionEndTest, DuringTheExtractionItIsHeldThenStoppedAsAbandoned) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDefaultDirSlash + "Coupe de mots.dat", platform::IoStatus::AccessDenied);
  Open();
  NextUntil(4);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_TRUE(WorkerAsks());
  EXPECT_FALSE(EndSession());
  // No question was put, and the worker has ended: nothing more is written.
  EXPECT_TRUE(view.Dialogs().empty());
  EXPECT_TRUE(SettingsWritten());
  EXPECT_NE(m.Read(kDefaultDirSlash + "Install.log").find("File Copy: " + kDefaultDirSlash + "kre.exe"), std::string::npos);
  EXPECT_FALSE(m.Exists(kDefaultDirSlash + "Coupe de mots.dat"));
}

TEST_F(WizardSessionEndTest, AfterTheExtractionTheSettingsAreWritten) {
  Open();
  NextUntil(4);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  RunInstallTimer();
  ASSERT_EQ(view.Page(), 6);
  EXPECT_TRUE(EndSession());
  EXPECT_TRUE(SettingsWritten());
  EXPECT_EQ(m.Read(kDefaultDirSlash + "kre.exe"), "contents of kre.exe");
}

} // namespace

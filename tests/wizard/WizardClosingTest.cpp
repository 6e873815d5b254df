// How the wizard's run ends when more than one thing wants it to end: a
// close ordered under the cancel question, a close asked for while a dialog
// is up, and a modal run that ends without the form having closed.
#include "WizardHarness.h"

#include "app/RunWizard.h"
#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "platform/Threads.h"
#include "support/FaultyFiles.h"

namespace {

// The install folder with its backslash (kDefaultDir is another file's
// global: it is read when a test runs, not when this file is initialised).
std::string Dir() {
  return kDefaultDir + "\\";
}

class WizardClosingTest : public WizardTest {
protected:
  // From the Welcome page into the installing page.
  void StartInstalling() {
    NextUntil(4);
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    ASSERT_EQ(view.Page(), 5);
  }
};

// The worker asks about a file; the user presses Cancel (or the close box)
// before the timer has served the request. Under the question the timer
// serves it, "A&bandonner" ends the installation and the next tick orders
// the close. "&Non" to the question then must not take the close back: the
// wizard closes at once, without asking a second time.
TEST_F(WizardClosingTest, ACloseOrderedUnderTheCancelQuestionIsKept) {
  for (const bool closeBox : {true, false}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel button");
    form.reset();
    view.ClearAnswers();
    const size_t before = view.Dialogs().size();
    FaultyFiles faulty;
    faulty.FailPath(FileOp::Replace, Dir() + "Coupe de mots.dat", platform::IoStatus::DiskFull);
    Open();
    StartInstalling();
    ASSERT_TRUE(InstallStatus.WaitUntilFor(tsAsking, kGiveUp));
    view.WhileDialogShown = [this](const ui::TDialogSpec& dialog) {
      if (dialog.Text != kCancelQuestionText)
        return;
      view.FireTimer(1); // serves the worker's request: "A&bandonner"
      ASSERT_TRUE(InstallStatus.WaitUntilFor(tsFailed, kGiveUp));
      view.FireTimer(1); // orders the close
    };
    view.Answer("A&bandonner");
    view.Answer("&Non");
    if (closeBox)
      view.UseCloseBox();
    else
      ASSERT_TRUE(view.Press(TControl::CancelBtn));
    view.WhileDialogShown = nullptr;
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(form->ModalResult(), 2);
    EXPECT_EQ(view.Dialogs().size(), before + 2); // the question and the error, once each
    AfterClose();
    EXPECT_FALSE(m.Exists(Dir() + "Coupe de mots.dat"));
  }
}

// The taskbar's "Close window" reaches the wizard while it is disabled under
// a dialog: no cancel question stacked over the dialog that is up.
TEST_F(WizardClosingTest, ACloseAskedForUnderADialogAsksNothing) {
  for (const bool underTheCancelQuestion : {true, false}) {
    SCOPED_TRACE(underTheCancelQuestion ? "cancel question" : "licence refusal question");
    form.reset();
    view.ClearAnswers();
    const size_t before = view.Dialogs().size();
    Open();
    NextUntil(1);
    int closes = 0;
    view.WhileDialogShown = [&](const ui::TDialogSpec&) {
      if (closes++ == 0)
        view.UseCloseBox();
    };
    view.Answer("&Non");
    if (underTheCancelQuestion) {
      view.UseCloseBox();
    } else {
      ASSERT_TRUE(view.Tick(TControl::LicenseChkBx, false));
      ASSERT_TRUE(view.Press(TControl::NextBtn));
    }
    view.WhileDialogShown = nullptr;
    EXPECT_EQ(view.Dialogs().size(), before + 1);
    EXPECT_FALSE(form->Closed());
    EXPECT_EQ(view.Page(), 1);
  }
}

// The modal run ends while the worker is inside a file and the form is still
// open (a WM_QUIT, a failing message loop): the run orders the stop before it
// waits, so the worker ends after that file, and the settings and log are
// written as after a cancel.
TEST_F(WizardClosingTest, AModalRunEndedWithTheFormOpenStopsTheWorker) {
  FaultyFiles faulty;
  faulty.HoldFile(FileOp::Replace, "persodicfr.tlx");
  bool stopOrdered = false;
  platform::Thread releaser;
  view.Script = [&](ui::THeadlessView& v) {
    while (v.Page() < 5)
      ASSERT_TRUE(v.Press(TControl::NextBtn));
    faulty.WaitUntilHeld();
    ASSERT_TRUE(releaser.Start([&] {
      stopOrdered = InstallStatus.WaitUntilFor(tsStop, kGiveUp);
      faulty.Release();
    }));
  };
  const TWizardOutcome outcome = RunWizard(*files, {}, view);
  releaser.Join();
  EXPECT_TRUE(stopOrdered);
  EXPECT_TRUE(outcome.InstallStarted);
  EXPECT_FALSE(m.Exists(Dir() + "Coupe de mots.dat")); // a later component's file
  EXPECT_EQ(m.Value(platform::RegRoot::CurrentUser, kInstallKey, "MAINDIR")->data,
            kDefaultDir + '\0');
  EXPECT_TRUE(m.Exists(Dir() + "Install.log"));
}

} // namespace

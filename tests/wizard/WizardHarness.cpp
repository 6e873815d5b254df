// The wizard tests' fixture.
#include "WizardHarness.h"

#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "integration/InstallSession.h"

#include <chrono>
#include <thread>

const char* const kCancelQuestionText =
    "L'installation n'est pas termin\xE9"
    "e !\r\r"
    "Si vous interrompez le programme d'installation maintenant,\r"
    "Brevanto ne sera pas correctement install\xE9.\r\r"
    "Vous pourrez relancer ce programme plus tard\r"
    "afin de terminer l'installation d'Brevanto.\r\r"
    "Pour poursuivre l'installation maintenant,\r"
    "cliquez sur \"Non\".\r\r"
    "Pour interrompre l'installation,\r"
    "cliquez sur \"Abandonner\".";
const std::string kDefaultDir = "C:\\Program Files\\Brevanto";
const std::string kDefaultDirSlash = kDefaultDir + "\\";

void WizardTest::SetUp() {
  if (!m.Emulated())
    GTEST_SKIP() << "needs the emulated machine";
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  files = BuildCatalogue(SampleEntries());
  ASSERT_TRUE(files);
}

void WizardTest::TearDown() {
  if (form && !form->Closed()) {
    // A test that left the wizard open: stop what it started before it goes.
    InstallStatus.ChangeState({tsRunning, tsPaused, tsAsking, tsAnswered}, tsStop);
    if (form->InstallThread())
      form->InstallThread()->WaitFor();
  }
  form.reset();
  EXPECT_EQ(view.UnexpectedDialogs(), 0u);
}

void WizardTest::Open(const std::vector<std::string>& args) {
  form = std::make_unique<TMainDlgForm>(view, *files, args);
  view.Attach(*form);
}

void WizardTest::NextUntil(int page) {
  while (view.Page() < page) {
    const int before = view.Page();
    ASSERT_TRUE(view.Press(TControl::NextBtn)) << "Next on page " << before;
    ASSERT_NE(view.Page(), before) << "stayed on page " << before;
  }
}

void WizardTest::RunInstallTimer() {
  const auto deadline = std::chrono::steady_clock::now() + kGiveUp;
  while (view.Page() == 5 && !form->Closed()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the installation did not end";
    ASSERT_TRUE(view.FireTimer(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void WizardTest::AfterClose() {
  ASSERT_TRUE(form->Closed());
  AfterWizard(form->State(), form->InstallThread());
  form.reset();
}

std::vector<std::string> WizardTest::DialogTexts() const {
  std::vector<std::string> texts;
  for (const ui::THeadlessDialog& d : view.Dialogs())
    texts.push_back(d.Spec.Text.Bytes());
  return texts;
}

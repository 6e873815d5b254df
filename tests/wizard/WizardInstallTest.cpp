// Whole installations through the wizard, timers fired as the window fires
// them: a normal one to "&Terminer", a portable one, a cancel during
// extraction, the worker's file errors, and an update log that cannot be
// saved at first.
#include "WizardHarness.h"

#include "engine/Components.h"
#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "support/FaultyFiles.h"

namespace {


class WizardInstallTest : public WizardTest {
protected:
  std::string Common() const {
    return JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\");
  }
  std::optional<RegValue> Install(const std::string& name) const {
    return m.Value(platform::RegRoot::CurrentUser, kInstallKey, name);
  }
  // From the Welcome page to the installing page.
  void StartInstalling() {
    NextUntil(4);
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    ASSERT_EQ(view.Page(), 5);
  }
};

TEST_F(WizardInstallTest, FromWelcomeToTerminer) {
  Open();
  StartInstalling();
  EXPECT_EQ(C(TControl::TopLbl).Text, "Installation");
  EXPECT_TRUE(C(TControl::BackBtn).Visible);
  EXPECT_FALSE(C(TControl::BackBtn).Enabled);
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);
  EXPECT_TRUE(C(TControl::CancelBtn).Enabled);
  const int32_t total = files->TotalSizeToInstall();
  EXPECT_GT(total, 0);
  EXPECT_EQ(C(TControl::InstallingProgressBar).ProgressMax, total);
  EXPECT_TRUE(form->State().InstallStarted);

  RunInstallTimer();
  ASSERT_EQ(view.Page(), 6);
  EXPECT_EQ(C(TControl::InstallingProgressBar).ProgressPosition, total);
  EXPECT_FALSE(C(TControl::BackBtn).Enabled);
  EXPECT_EQ(view.Focus(), TControl::AssocChkBx1);
  EXPECT_FALSE(C(TControl::AssocChkBx1).Checked);
  EXPECT_TRUE(C(TControl::AssocChkBx2).Checked);
  EXPECT_FALSE(C(TControl::AssocChkBx3).Checked);
  ASSERT_TRUE(view.Tick(TControl::AssocChkBx1, true));
  EXPECT_FALSE(view.Tick(TControl::InstallToAllChkBx, false)); // not on this page

  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_EQ(view.Page(), 7);
  EXPECT_EQ(C(TControl::NextBtn).Text, "&Terminer");
  EXPECT_FALSE(C(TControl::CancelBtn).Enabled);
  EXPECT_FALSE(C(TControl::BackBtn).Enabled);
  EXPECT_FALSE(view.PressEsc());
  EXPECT_FALSE(view.Press(TControl::CancelBtn));
  ASSERT_EQ(m.processes.started.size(), 1u);
  EXPECT_EQ(m.processes.started[0].commandLine, "\"" + kDefaultDirSlash + "kre.exe\" -assoc adpr_rtf_cod");

  ASSERT_TRUE(view.PressEnter()); // "&Terminer"
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 1);
  EXPECT_TRUE(view.Dialogs().empty());
  EXPECT_EQ(view.PagesShown(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  AfterClose();

  EXPECT_EQ(m.Read(kDefaultDirSlash + "kre.exe"), "contents of kre.exe");
  EXPECT_TRUE(m.Exists(Common() + "Update.log"));
  EXPECT_NE(m.Read(kDefaultDirSlash + "Install.log").find("File Copy: " + kDefaultDirSlash + "kre.exe\r\n"),
            std::string::npos);
  ASSERT_EQ(m.processes.started.size(), 2u);
  EXPECT_EQ(m.processes.started[1].commandLine, "\"" + kDefaultDirSlash + "kre.exe\"");
  EXPECT_EQ(Install("MAINDIR")->data, kDefaultDir + '\0');
  EXPECT_EQ(Install("EXTENSIONS")->data, std::string("AB") + '\0');
  EXPECT_EQ(Install("COMPS_FR (3.1.1)")->data, Dword(0x7FFFFFFE));
  EXPECT_TRUE(m.Value(platform::RegRoot::LocalMachine, kUninstallKey, "DisplayName"));
}

// The worker held inside a file of component 1: the tick shows the bytes of
// the files written before it and names component 1, and while the component
// does not change the label is not set again.
TEST_F(WizardInstallTest, TheBarAndTheLabelFollowTheWorker) {
  const std::string held = "persodicfr.tlx";
  FaultyFiles faulty;
  faulty.HoldFile(FileOp::Replace, held);
  Open();
  StartInstalling();
  faulty.WaitUntilHeld();
  int32_t before = 0;
  for (const TFileToInstall& file : files->FilesToInstall(0))
    before += file.AttachedFile->Size;
  bool found = false;
  for (const TFileToInstall& file : files->FilesToInstall(1)) {
    found = found || file.DestName.ends_with("\\" + held);
    if (!found)
      before += file.AttachedFile->Size;
  }
  ASSERT_TRUE(found);
  ASSERT_GT(before, 0);

  ASSERT_TRUE(view.FireTimer(1));
  EXPECT_EQ(C(TControl::InstallingProgressBar).ProgressPosition, before);
  EXPECT_EQ(C(TControl::InstallingLbl2).Text, Components[1].Name);
  const int sets = C(TControl::InstallingLbl2).TextSets;
  ASSERT_TRUE(view.FireTimer(1));
  ASSERT_TRUE(view.FireTimer(1));
  EXPECT_EQ(C(TControl::InstallingLbl2).TextSets, sets);
  EXPECT_EQ(C(TControl::InstallingProgressBar).ProgressPosition, before);

  faulty.Release();
  RunInstallTimer();
  EXPECT_EQ(view.Page(), 6);
}

// "Installer pour tous les utilisateurs" (Start page) chooses where both
// shortcuts go and which are removed; "Lancer ... tout de suite" (Finish page)
// whether "&Terminer" starts the word processor.
TEST_F(WizardInstallTest, TheStartAndFinishBoxesReachTheActions) {
  struct Row {
    bool allUsers, launch;
  };
  for (const Row& row : std::vector<Row>{{true, true}, {false, false}, {false, true}}) {
    SCOPED_TRACE(std::string(row.allUsers ? "all users" : "current user") +
                 (row.launch ? ", launch" : ", no launch"));
    form.reset();
    m.processes.started.clear();
    const int chosen[2] = {row.allUsers ? csidl::kCommonPrograms : csidl::kPrograms,
                           row.allUsers ? csidl::kCommonDesktopDirectory
                                        : csidl::kDesktopDirectory};
    const int other[2] = {row.allUsers ? csidl::kPrograms : csidl::kCommonPrograms,
                          row.allUsers ? csidl::kDesktopDirectory : csidl::kCommonDesktopDirectory};
    const std::string link = "Traitement de texte Brevanto.lnk";
    for (int folder : other)
      m.Write(JoinPath(GetSpecialFolder(folder), link), "an earlier shortcut");
    for (int folder : chosen)
      platform::Fs().RemoveFile(JoinPath(GetSpecialFolder(folder), link));
    Open();
    NextUntil(4);
    ASSERT_TRUE(view.Tick(TControl::InstallToAllChkBx, row.allUsers));
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    RunInstallTimer();
    NextUntil(7);
    ASSERT_TRUE(view.Tick(TControl::FinishChkBx, row.launch));
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    AfterClose();
    for (int folder : chosen)
      EXPECT_TRUE(m.Exists(JoinPath(GetSpecialFolder(folder), link))) << folder;
    for (int folder : other)
      EXPECT_FALSE(m.Exists(JoinPath(GetSpecialFolder(folder), link))) << folder;
    ASSERT_EQ(m.processes.started.size(), row.launch ? 2u : 1u); // the association command first
    if (row.launch) {
      EXPECT_EQ(m.processes.started[1].commandLine, "\"" + kDefaultDirSlash + "kre.exe\"");
      EXPECT_EQ(m.processes.started[1].folder, kDefaultDir); // launched in its own folder
    }
    EXPECT_EQ(Install("INSTALLTOALL")->data, Dword(row.allUsers));
    EXPECT_EQ(Install("LAUNCH")->data, Dword(row.launch));
  }
}

TEST_F(WizardInstallTest, CancelDuringExtractionNonThenAbandonner) {
  Open();
  EXPECT_FALSE(view.Tick(TControl::FinishChkBx, false)); // on page 7 only
  StartInstalling();
  view.Answer("&Non");
  ASSERT_TRUE(view.Press(TControl::CancelBtn));
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(view.Page(), 5);
  EXPECT_NE(InstallStatus.State(), tsPaused);
  view.Answer("A&bandonner");
  ASSERT_TRUE(view.Press(TControl::CancelBtn));
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 2);
  EXPECT_EQ(DialogTexts(), (std::vector<std::string>{kCancelQuestionText, kCancelQuestionText}));
  AfterClose();
  // Settings and log are written however the installation ended.
  EXPECT_EQ(Install("MAINDIR")->data, kDefaultDir + '\0');
  EXPECT_TRUE(m.Exists(kDefaultDirSlash + "Install.log"));
  EXPECT_TRUE(m.processes.started.empty());
}

TEST_F(WizardInstallTest, WorkerErrorsAnsweredRetryThenIgnore) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDefaultDirSlash + "kre.exe", platform::IoStatus::AccessDenied, 1);
  faulty.FailPath(FileOp::Replace, kDefaultDirSlash + "Coupe de mots.dat", platform::IoStatus::AccessDenied);
  Open();
  StartInstalling();
  view.Answer("&R\xE9"
              "essayer");
  view.Answer("I&gnorer");
  RunInstallTimer();
  EXPECT_EQ(view.Page(), 6);
  ASSERT_EQ(view.Dialogs().size(), 2u);
  const ui::TDialogSpec& d = view.Dialogs()[0].Spec;
  EXPECT_EQ(d.Caption, "Erreur");
  EXPECT_EQ(d.Icon, ui::TDialogIcon::Hand);
  ASSERT_EQ(d.Buttons.size(), 3u);
  EXPECT_EQ(d.Buttons[0].Caption, "A&bandonner");
  EXPECT_EQ(d.Buttons[1].Caption, "&R\xE9"
                                  "essayer");
  EXPECT_EQ(d.Buttons[2].Caption, "I&gnorer");
  EXPECT_EQ(d.DefaultButton, 1);
  EXPECT_EQ(d.CancelButton, -1);
  EXPECT_EQ(m.Read(kDefaultDirSlash + "kre.exe"), "contents of kre.exe");
  EXPECT_FALSE(m.Exists(kDefaultDirSlash + "Coupe de mots.dat"));
  NextUntil(7);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  AfterClose();
}

TEST_F(WizardInstallTest, WorkerErrorAnsweredAbortClosesWithoutTheQuestion) {
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Replace, kDefaultDirSlash + "Coupe de mots.dat", platform::IoStatus::AccessDenied);
  Open();
  StartInstalling();
  view.Answer("A&bandonner");
  RunInstallTimer();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 2);
  ASSERT_EQ(view.Dialogs().size(), 1u);
  EXPECT_EQ(view.Dialogs()[0].Spec.Caption, "Erreur");
  AfterClose();
  EXPECT_EQ(Install("MAINDIR")->data, kDefaultDir + '\0');
  const std::string log = m.Read(kDefaultDirSlash + "Install.log");
  EXPECT_NE(log.find("File Copy: " + kDefaultDirSlash + "kre.exe"), std::string::npos);
  EXPECT_EQ(log.find("Coupe de mots.dat"), std::string::npos);
  EXPECT_TRUE(m.processes.started.empty());
}

TEST_F(WizardInstallTest, PortableInstallationSkipsTheAssociationsPage) {
  ASSERT_TRUE(m.AddUsbStick());
  Open({"-dE:\\Apps\\Brevanto"});
  NextUntil(4);
  EXPECT_FALSE(C(TControl::InstallToAllChkBx).Visible);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  RunInstallTimer();
  ASSERT_EQ(view.Page(), 7);
  EXPECT_EQ(view.PagesShown(), (std::vector<int>{0, 1, 2, 3, 4, 5, 7}));
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  AfterClose();
  EXPECT_EQ(m.Read("E:\\Apps\\Brevanto\\kre.exe"), "contents of kre.exe");
  EXPECT_FALSE(m.Exists("E:\\Apps\\Brevanto\\Install.log"));
  EXPECT_FALSE(m.Exists(Common() + "Update.log"));
  EXPECT_EQ(Install("MAINDIR")->data, std::string("E:\\Apps\\Brevanto") + '\0');
}

TEST_F(WizardInstallTest, CancelOnTheAssociationsPageAndCloseBoxOnTheFinishPage) {
  Open();
  StartInstalling();
  RunInstallTimer();
  ASSERT_EQ(view.Page(), 6);
  view.Answer("&Non");
  ASSERT_TRUE(view.PressEsc());
  EXPECT_FALSE(form->Closed());
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_EQ(view.Page(), 7);
  view.Answer("&Non");
  view.UseCloseBox();
  EXPECT_FALSE(form->Closed());
  view.Answer("A&bandonner");
  view.UseCloseBox();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 2);
  EXPECT_EQ(DialogTexts().size(), 3u);
  AfterClose();
  EXPECT_FALSE(m.Exists(Common() + "Update.log")); // "&Terminer" was never pressed
  EXPECT_EQ(m.processes.started.size(), 1u);       // the association command only
}

TEST_F(WizardInstallTest, UpdateLogThatCannotBeSavedThenCan) {
  Open();
  StartInstalling();
  RunInstallTimer();
  NextUntil(7);
  const std::string log = Common() + "Update.log";
  {
    FaultyFiles faulty;
    faulty.FailPath(FileOp::Replace, log, platform::IoStatus::AccessDenied, 1);
    view.Answer("OK");
    ASSERT_TRUE(view.Press(TControl::NextBtn));
  }
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(view.Page(), 7);
  ASSERT_EQ(view.Dialogs().size(), 1u);
  const ui::TDialogSpec& d = view.Dialogs()[0].Spec;
  EXPECT_EQ(d.Caption, "Erreur");
  EXPECT_EQ(d.Text, "Impossible d'enregistrer le fichier " + log + " :\rl'acc\xE8s est refus\xE9.");
  EXPECT_EQ(m.processes.started.size(), 1u); // not launched
  EXPECT_FALSE(m.Exists(log));

  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 1);
  EXPECT_TRUE(m.Exists(log));
  EXPECT_EQ(m.processes.started.size(), 2u);
  AfterClose();
}

} // namespace

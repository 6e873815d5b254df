// The wizard's pages and steps: titles, buttons and their captions on each
// page, the texts it sets, the licence, the running-copy guard and the
// cancel question on every page.
#include "WizardHarness.h"

#include "instutils/InstUtils.h"
#include "support/FaultyFiles.h"

namespace {

const char* const kTitles[8] = {
    "Merci de faire confiance \xE0 Brevanto",
    "Accord de Licence",
    "Choix du dossier d'installation",
    "Choix des composants \xE0 installer",
    "L'installation peut commencer",
    "Installation",
    "Types de document \xE0 associer \xE0 Brevanto",
    "Installation termin\xE9"
    "e",
};
const char* const kRunningCopyText =
    "Un exemplaire du traitement de texte Brevanto est en cours d'ex\xE9"
    "cution sur votre "
    "syst\xE8me.\rVeuillez fermer tous les exemplaires du traitement de texte Brevanto "
    "actuellement ouverts\ravant de cliquer sur le bouton \"OK\" ci-dessous.";
const char* const kRefusalText =
    "L'installation de ce programme est li\xE9"
    "e \xE0 l'acceptation de l'ensemble des "
    "termes\rdu Contrat de Licence du traitement de texte Brevanto.\rVoulez-vous vraiment "
    "annuler l'installation d'Brevanto ?";

using WizardNavigationTest = WizardTest;

TEST_F(WizardNavigationTest, ConstructionSetsEveryTextAndShowsTheWelcomePage) {
  Open();
  EXPECT_EQ(C(TControl::Form).Text, "Installation du traitement de texte Brevanto (Version Light)");
  EXPECT_EQ(C(TControl::WelcomeLbl).Text,
            "Ce programme va installer Traitement de texte Brevanto (Version Light) (version "
            "3.3.1.0) sur votre ordinateur.\r\r\r\r\rCliquez sur \"Suite\" pour continuer. "
            "Cliquez sur \"Annuler\" si vous voulez renoncer \xE0 l'installation.");
  EXPECT_EQ(C(TControl::FinishLbl).Text,
            "Traitement de texte Brevanto (Version Light) 3.3.1.0 a \xE9t\xE9 install\xE9 avec "
            "succ\xE8s sur votre ordinateur.\r\rCliquez sur Terminer pour quitter ce programme "
            "d'installation.");
  EXPECT_EQ(C(TControl::SelCompLbl).Text,
            "D\xE9sactivez les cases des &composants que vous ne voulez pas installer ou mettre "
            "\xE0 jour (l'espace disque requis est affich\xE9 sur la droite) :");
  EXPECT_EQ(C(TControl::LicenseChkBx).Text,
            "J'&accepte l'Accord de licence ci-dessus dans son int\xE9gralit\xE9.");
  EXPECT_EQ(C(TControl::AssocChkBx2).Text, "Documents COD crypt\xE9s");
  EXPECT_EQ(C(TControl::InstallToAllChkBx).Text,
            "Installer pour &tous les utilisateurs de cet ordinateur");
  EXPECT_EQ(C(TControl::LogoImage).Image, "LOGO");
  EXPECT_EQ(C(TControl::LogoSmallImage).Image, "LOGOSMALL");
  // Every control but the edit box and the lists gets its text from the form.
  for (TControl c : {TControl::LicenseLbl, TControl::DestDirLbl, TControl::SelCompDiskSpaceReqLbl1,
                     TControl::SelCompDiskSpaceAvailLbl1, TControl::StartLbl,
                     TControl::InstallingLbl1, TControl::AssocLbl, TControl::FinishChkBx})
    EXPECT_FALSE(C(c).Text.empty()) << int(c);

  EXPECT_EQ(view.PagesShown(), std::vector<int>{0});
  EXPECT_EQ(C(TControl::TopLbl).Text, kTitles[0]);
  EXPECT_FALSE(C(TControl::BackBtn).Visible);
  EXPECT_EQ(C(TControl::NextBtn).Text, "&Suite >");
  EXPECT_EQ(C(TControl::CancelBtn).Text, "Annuler");
  EXPECT_EQ(view.TimerInterval(1), 100u);
  EXPECT_EQ(view.TimerInterval(2), 1000u);
  EXPECT_TRUE(form->Initialized());
  EXPECT_EQ(form->CompIndexList(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(C(TControl::SelCompLstBx).CurrentRow, 1);

  form.reset();
  EXPECT_FALSE(view.TimerRunning(1));
  EXPECT_FALSE(view.TimerRunning(2));
}

TEST_F(WizardNavigationTest, EveryPageHasItsTitleButtonsAndFocus) {
  Open();
  const TControl focus[5] = {TControl::Count, TControl::LicenseMemo, TControl::DestDirEdt,
                             TControl::SelCompLstBx, TControl::NextBtn};
  for (int page = 1; page <= 4; ++page) {
    NextUntil(page);
    EXPECT_EQ(C(TControl::TopLbl).Text, kTitles[page]);
    EXPECT_TRUE(C(TControl::BackBtn).Visible);
    EXPECT_TRUE(C(TControl::BackBtn).Enabled);
    EXPECT_EQ(C(TControl::BackBtn).Text, "< &Retour");
    EXPECT_TRUE(C(TControl::NextBtn).Enabled) << page;
    EXPECT_EQ(C(TControl::NextBtn).Text, "&Suite >");
    EXPECT_TRUE(C(TControl::CancelBtn).Enabled);
    EXPECT_EQ(view.Focus(), focus[page]);
  }
  // Back walks down again; Back from the components page keeps InstallDir.
  for (int page = 3; page >= 0; --page) {
    ASSERT_TRUE(view.Press(TControl::BackBtn));
    EXPECT_EQ(view.Page(), page);
    EXPECT_EQ(C(TControl::TopLbl).Text, kTitles[page]);
  }
  EXPECT_FALSE(view.Press(TControl::BackBtn)); // hidden on the Welcome page
  EXPECT_EQ(view.PagesShown(), (std::vector<int>{0, 1, 2, 3, 4, 3, 2, 1, 0}));
  EXPECT_TRUE(view.Dialogs().empty());
}

TEST_F(WizardNavigationTest, LicenceLoadedOnceWithoutALogLineOrATemporaryFileLeft) {
  Open();
  NextUntil(1);
  EXPECT_EQ(C(TControl::LicenseMemo).Lines, std::vector<std::string>{"contents of Licence.txt"});
  EXPECT_EQ(view.WaitCursorShown(), 1);
  EXPECT_FALSE(view.WaitCursor());
  EXPECT_TRUE(C(TControl::NextBtn).Enabled);
  EXPECT_TRUE(C(TControl::CancelBtn).Enabled);
  std::vector<platform::DirEntry> temp;
  platform::Fs().List(GetTempDir(), temp);
  for (const platform::DirEntry& e : temp)
    EXPECT_FALSE(e.name.starts_with(TempNamePrefix())) << e.name;

  // Back and Next again: neither a second load nor a running-copy check.
  m.processes.wordProcessorRunning = true;
  const int searches = m.processes.windowSearches;
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_EQ(view.Page(), 1);
  EXPECT_EQ(view.WaitCursorShown(), 1);
  EXPECT_EQ(m.processes.windowSearches, searches);
  EXPECT_TRUE(view.Dialogs().empty());
}

TEST_F(WizardNavigationTest, RunningCopyKeepsTheWelcomePageUntilClosed) {
  m.processes.wordProcessorRunning = true;
  Open();
  for (int press = 0; press < 2; ++press) {
    view.Answer("OK");
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    EXPECT_EQ(view.Page(), 0);
    EXPECT_EQ(C(TControl::TopLbl).Text, kTitles[0]);
  }
  ASSERT_EQ(view.Dialogs().size(), 2u);
  const ui::TDialogSpec& d = view.Dialogs()[0].Spec;
  EXPECT_EQ(d.Text, kRunningCopyText);
  EXPECT_EQ(d.Caption, "Information");
  EXPECT_EQ(d.Icon, ui::TDialogIcon::Asterisk);
  EXPECT_TRUE(C(TControl::LicenseMemo).Lines.empty());
  m.processes.wordProcessorRunning = false;
  NextUntil(1);
  EXPECT_FALSE(C(TControl::LicenseMemo).Lines.empty());
}

TEST_F(WizardNavigationTest, RunningCopyStartedLaterIsCaughtOnTheStartPage) {
  Open();
  NextUntil(4);
  m.processes.wordProcessorRunning = true;
  view.Answer("OK");
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_EQ(view.Page(), 4);
  EXPECT_EQ(C(TControl::TopLbl).Text, kTitles[4]);
  EXPECT_TRUE(C(TControl::BackBtn).Enabled);
  EXPECT_FALSE(form->State().InstallStarted);
  ASSERT_EQ(DialogTexts(), std::vector<std::string>{kRunningCopyText});
}

TEST_F(WizardNavigationTest, RefusedLicenceAsksAndOuiCloses) {
  Open();
  NextUntil(1);
  ASSERT_TRUE(view.Tick(TControl::LicenseChkBx, false));
  view.Answer("&Non");
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_EQ(view.Page(), 1);
  EXPECT_FALSE(form->Closed());
  ASSERT_EQ(view.Dialogs().size(), 1u);
  const ui::TDialogSpec& d = view.Dialogs()[0].Spec;
  EXPECT_EQ(d.Text, kRefusalText);
  EXPECT_EQ(d.Caption, "Information");
  ASSERT_EQ(d.Buttons.size(), 2u);
  EXPECT_EQ(d.Buttons[d.DefaultButton].Caption, "&Oui");
  EXPECT_EQ(d.Buttons[d.CancelButton].Caption, "&Non");

  view.AnswerEnter(); // "&Oui", the default button
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 2);
  EXPECT_EQ(view.Dialogs().size(), 2u); // no cancel question after "&Oui"
}

TEST_F(WizardNavigationTest, BackFromTheDestinationPageNeverAsksAboutTheLicence) {
  Open();
  NextUntil(2);
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  ASSERT_TRUE(view.Tick(TControl::LicenseChkBx, false));
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  EXPECT_EQ(view.Page(), 0);
  EXPECT_TRUE(view.Dialogs().empty());
}

TEST_F(WizardNavigationTest, UnextractableLicenceClosesWithoutTheCancelQuestion) {
  std::vector<CatalogueEntry> entries = SampleEntries();
  std::erase_if(entries, [](const CatalogueEntry& e) { return e.name == "Licence.txt"; });
  files = BuildCatalogue(entries);
  Open();
  view.Answer("A&bandonner"); // ExtractFile's own error dialog
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_EQ(view.Dialogs().size(), 1u);
  EXPECT_EQ(view.Dialogs()[0].Spec.Caption, "Erreur");
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->ModalResult(), 2);
  EXPECT_FALSE(view.WaitCursor());
}

// "I&gnorer" to the licence's extraction error: the licence page is shown
// with an empty memo, and the next Next from the Welcome page tries again.
TEST_F(WizardNavigationTest, LicenceExtractionIgnoredShowsAnEmptyMemoAndLoadsAgain) {
  Open();
  {
    FaultyFiles faulty;
    faulty.FailNth(FileOp::Replace, 1, platform::IoStatus::DiskFull);
    view.Answer("I&gnorer");
    ASSERT_TRUE(view.Press(TControl::NextBtn));
    EXPECT_EQ(faulty.Failures(), 1);
  }
  ASSERT_EQ(view.Dialogs().size(), 1u);
  EXPECT_EQ(view.Dialogs()[0].Spec.Caption, "Erreur");
  EXPECT_EQ(view.Page(), 1);
  EXPECT_FALSE(form->Closed());
  EXPECT_TRUE(C(TControl::LicenseMemo).Lines.empty());
  EXPECT_TRUE(C(TControl::NextBtn).Enabled);

  ASSERT_TRUE(view.Press(TControl::BackBtn));
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_EQ(view.Page(), 1);
  EXPECT_EQ(C(TControl::LicenseMemo).Lines, std::vector<std::string>{"contents of Licence.txt"});
  EXPECT_EQ(view.Dialogs().size(), 1u);
}

// The cancel question on pages 0 to 6 from the Cancel button, Esc and the
// close box: "&Non" and Esc keep the wizard, "A&bandonner" closes it.
TEST_F(WizardNavigationTest, CancelAsksOnEveryPageBeforeTheFinish) {
  for (int page = 0; page <= 4; ++page) {
    for (int way = 0; way < 3; ++way) {
      SCOPED_TRACE("page " + std::to_string(page) + ", way " + std::to_string(way));
      form.reset();
      view.ClearAnswers();
      Open();
      NextUntil(page);
      const size_t before = view.Dialogs().size();
      auto request = [&] {
        if (way == 0)
          EXPECT_TRUE(view.Press(TControl::CancelBtn));
        else if (way == 1)
          EXPECT_TRUE(view.PressEsc());
        else
          view.UseCloseBox();
      };
      view.Answer("&Non");
      request();
      view.AnswerEsc();
      request();
      view.AnswerCloseBox(); // answers 2, counted like "&Non"
      request();
      EXPECT_FALSE(form->Closed());
      EXPECT_EQ(form->ModalResult(), 0);
      EXPECT_EQ(view.Page(), page);
      view.Answer("A&bandonner");
      request();
      EXPECT_TRUE(form->Closed());
      EXPECT_EQ(form->ModalResult(), 2);
      ASSERT_EQ(view.Dialogs().size(), before + 4);
      const ui::TDialogSpec& d = view.Dialogs().back().Spec;
      EXPECT_EQ(d.Text, kCancelQuestionText);
      EXPECT_EQ(d.Caption, "Confirmation");
      EXPECT_EQ(d.Icon, ui::TDialogIcon::Question);
      EXPECT_EQ(d.DefaultButton, -1);
      ASSERT_EQ(d.Buttons.size(), 2u);
      EXPECT_EQ(d.Buttons[0].Caption, "&Non");
      EXPECT_EQ(d.Buttons[1].Caption, "A&bandonner");
      // A closed wizard takes no further action.
      EXPECT_FALSE(view.Press(TControl::NextBtn) && view.Page() != page);
    }
  }
}

// The question's own message loop keeps both timers firing, as a real dialog
// does: the ticks must not put the question again while it is up.
TEST_F(WizardNavigationTest, TimersFiringUnderTheCancelQuestionAskOnlyOnce) {
  Open();
  view.WhileDialogShown = [this](const ui::TDialogSpec&) {
    for (int tick = 0; tick < 5; ++tick) {
      view.FireTimer(1);
      view.FireTimer(2);
    }
  };
  view.Answer("&Non");
  EXPECT_TRUE(view.Press(TControl::CancelBtn));
  EXPECT_EQ(view.Dialogs().size(), 1u);
  EXPECT_EQ(view.UnexpectedDialogs(), 0u);
  EXPECT_FALSE(form->Closed());
  view.Answer("A&bandonner");
  EXPECT_TRUE(view.Press(TControl::CancelBtn));
  EXPECT_EQ(view.Dialogs().size(), 2u);
  EXPECT_TRUE(form->Closed());
}

TEST_F(WizardNavigationTest, SettingsReadAtConstruction) {
  Open();
  EXPECT_EQ(form->State().Options.InstallDir, kDefaultDir);
  EXPECT_EQ(C(TControl::DestDirEdt).Text, kDefaultDir);
  EXPECT_TRUE(C(TControl::InstallToAllChkBx).Checked);
  EXPECT_TRUE(C(TControl::FinishChkBx).Checked);
  EXPECT_TRUE(C(TControl::LicenseChkBx).Checked);
  const std::vector<ui::TCheckRow>& rows = C(TControl::SelCompLstBx).CheckRows;
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0].State, cbGrayed);
  for (int i = 1; i < 7; ++i)
    EXPECT_EQ(rows[i].State, cbChecked) << i;
  form.reset();

  // A MAINDIR that no longer exists gives the default folder.
  m.SetString(platform::RegRoot::CurrentUser, kInstallKey, "MAINDIR", "C:\\Disparu");
  m.SetDword(platform::RegRoot::CurrentUser, kInstallKey, "COMPS_FR (3.1.1)", 0x01);
  m.SetDword(platform::RegRoot::CurrentUser, kInstallKey, "INSTALLTOALL", 0);
  m.SetDword(platform::RegRoot::CurrentUser, kInstallKey, "LAUNCH", 0);
  Open();
  EXPECT_EQ(C(TControl::DestDirEdt).Text, kDefaultDir);
  EXPECT_FALSE(C(TControl::InstallToAllChkBx).Checked);
  EXPECT_FALSE(C(TControl::FinishChkBx).Checked);
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[0].State, cbGrayed);
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[1].State, cbUnchecked);
  form.reset();

  // -d names the folder, whatever the registry says; -D and /d do not.
  for (const auto& [arg, dir] : std::vector<std::pair<std::string, std::string>>{
           {"-dD:\\Outils\\Brevanto", "D:\\Outils\\Brevanto"},
           {"-DD:\\Outils\\Brevanto", kDefaultDir},
           {"/dD:\\Outils\\Brevanto", kDefaultDir},
           {"-d", kDefaultDir}}) {
    Open({arg, "-dE:\\Second"});
    EXPECT_EQ(C(TControl::DestDirEdt).Text, dir) << arg;
    EXPECT_EQ(form->State().Options.InstallDir, dir) << arg;
    form.reset();
  }
}

} // namespace

// The component page: row sizes on drives of different cluster sizes, the
// toggling rules, the free-space test on Next, and activation.
#include "WizardHarness.h"

#include "instutils/InstUtils.h"

namespace {

class WizardComponentPageTest : public WizardTest {
protected:
  // Drive D: with 512-byte clusters and the given free space.
  void SetDriveD(int64_t freeBytes) {
    DriveSpec d;
    d.letter = 'D';
    d.type = drive::kFixed;
    d.bytesPerCluster = 512;
    d.freeBytes = freeBytes;
    ASSERT_TRUE(m.Machine().AddDrive(d));
  }
  int64_t SelectedSize() const {
    int64_t sum = 0;
    for (size_t row = 0; row < 7; ++row) {
      if (C(TControl::SelCompLstBx).CheckRows[row].State != cbUnchecked)
        sum += form->CompSizes()[row];
    }
    return sum;
  }
  const std::string& Required() const { return C(TControl::SelCompDiskSpaceReqLbl2).Text; }
  const std::string& Free() const { return C(TControl::SelCompDiskSpaceAvailLbl2).Text; }
};

TEST_F(WizardComponentPageTest, RowsShowNamesAndSizesOnTheDrivesClusters) {
  SetDriveD(int64_t(1) << 30);
  ASSERT_TRUE(platform::Fs().CreateFolder("D:\\Outils"));
  Open({"-dD:\\Outils\\Brevanto"});
  // Before the page is entered the sizes are 0.
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[0].SizeText, "0 Ko");
  NextUntil(3);
  const std::vector<ui::TCheckRow>& rows = C(TControl::SelCompLstBx).CheckRows;
  ASSERT_EQ(rows.size(), 7u);
  const char* names[7] = {"Traitement de texte Brevanto",
                          "V\xE9rificateur d'orthographe fran\xE7"
                          "aise",
                          "V\xE9rificateur d'orthographe anglaise",
                          "Module de coupe de mots",
                          "Mod\xE8les de document",
                          "Collections d'inserts",
                          "Module sonore de base"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(rows[i].Name, names[i]);
    EXPECT_EQ(rows[i].GrayText, i == 0) << i;
  }
  // kre.exe and Licence.txt: one 512-byte cluster each on D:.
  EXPECT_EQ(form->CompSizes()[0], 1024);
  EXPECT_EQ(rows[0].SizeText, "1 Ko");
  EXPECT_EQ(Free(), "1 024 Mo");

  // Back to the destination page, another folder on C: (4096-byte clusters).
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  ASSERT_TRUE(view.Type(TControl::DestDirEdt, "C:\\Outils"));
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_EQ(form->State().Options.InstallDir, "C:\\Outils");
  EXPECT_EQ(form->CompSizes()[0], 8192);
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[0].SizeText, "8 Ko");
}

TEST_F(WizardComponentPageTest, TogglingRowsAndTheWordProcessorsRow) {
  Open();
  NextUntil(3);
  const std::string all = Required();
  EXPECT_EQ(all, FormatSize(SelectedSize()));

  ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, 0));
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[0].State, cbGrayed);
  EXPECT_EQ(Required(), all);

  ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, 2));
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[2].State, cbUnchecked);
  EXPECT_EQ(C(TControl::SelCompLstBx).CurrentRow, 2);
  EXPECT_EQ(Required(), FormatSize(SelectedSize()));
  EXPECT_NE(Required(), all);
  ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, 2));
  EXPECT_EQ(C(TControl::SelCompLstBx).CheckRows[2].State, cbChecked);
  EXPECT_EQ(Required(), all);

  // Everything unticked: the word processor alone.
  for (int row = 1; row < 7; ++row)
    ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, row));
  EXPECT_EQ(Required(), FormatSize(form->CompSizes()[0]));
  // The rows reach the installation.
  NextUntil(4);
  EXPECT_EQ(form->State().CompStates[1], cbUnchecked);
}

TEST_F(WizardComponentPageTest, NextFollowsTheFreeSpaceAndActivationRefreshesOnlyThisPage) {
  SetDriveD(0);
  Open({"-dD:\\Brevanto"});
  NextUntil(2);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_EQ(view.Page(), 3);
  EXPECT_FALSE(C(TControl::NextBtn).Enabled); // not enough from the start
  const int64_t need = SelectedSize();
  ASSERT_GT(need, 0);

  SetDriveD(need); // equal is enough
  view.Activate(false);
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);
  view.Activate(true);
  EXPECT_TRUE(C(TControl::NextBtn).Enabled);
  EXPECT_EQ(Free(), FormatSize(need));

  SetDriveD(need - 1);
  view.Activate(true);
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);
  EXPECT_FALSE(view.Press(TControl::NextBtn));
  // Unticking a component makes room.
  ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, 1));
  EXPECT_TRUE(C(TControl::NextBtn).Enabled);
  ASSERT_TRUE(view.ToggleCheckRow(TControl::SelCompLstBx, 1));
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);

  SetDriveD(int64_t(1) << 30);
  view.Activate(true);
  NextUntil(4);
  SetDriveD(0);
  const std::string shown = Free();
  view.Activate(true);
  EXPECT_EQ(Free(), shown);
  EXPECT_TRUE(C(TControl::NextBtn).Enabled);
}

TEST_F(WizardComponentPageTest, AFreeSpaceQueryThatFailsShowsZeroAndDisablesNext) {
  Open({"-dQ:\\Brevanto"}); // no drive Q: on this machine
  NextUntil(2);
  ASSERT_TRUE(view.Type(TControl::DestDirEdt, "Q:\\Brevanto"));
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  ASSERT_EQ(view.Page(), 3);
  EXPECT_EQ(Free(), "0 Ko");
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);
  view.Activate(true);
  EXPECT_FALSE(C(TControl::NextBtn).Enabled);
}

} // namespace

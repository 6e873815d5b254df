// The drive watch through the wizard (timer 2): a removable drive plugged in
// and removed while the destination page or another page is on show, and a
// drive that is not the selected one going away. Native only: drives are
// added and removed on the emulated machine.
#include "wizard/WizardHarness.h"

#include "platform/Constants.h"
#include "support/posix/EmulatedMachine.h"

namespace {

class WizardDriveWatchTest : public WizardTest {
protected:
  void RemoveDrive(char letter) {
    platform::posix::Machine& machine = CurrentEmulatedMachine();
    platform::posix::MachineConfig config = machine.Config();
    config.drives.erase(letter);
    ASSERT_TRUE(machine.SaveConfig(config));
  }
  void AddFixedDrive(char letter) {
    DriveSpec d;
    d.letter = letter;
    d.type = drive::kFixed;
    ASSERT_TRUE(m.Machine().AddDrive(d));
  }
  std::string SelectedDrive() const {
    const ui::THeadlessControl& box = C(TControl::DestDirCmbBx);
    return box.SelectedRow < 0 ? "" : box.Rows[size_t(box.SelectedRow)].Text.substr(0, 2);
  }
};

TEST_F(WizardDriveWatchTest, AUsbDrivePluggedInAndRemovedOnTheDestinationPage) {
  Open();
  NextUntil(2);
  EXPECT_EQ(SelectedDrive(), "c:");
  ASSERT_TRUE(view.FireTimer(2)); // nothing changed: nothing happens
  EXPECT_EQ(C(TControl::DestDirEdt).Text, kDefaultDir);

  ASSERT_TRUE(m.AddUsbStick());
  ASSERT_TRUE(view.FireTimer(2));
  EXPECT_EQ(SelectedDrive(), "e:");
  EXPECT_EQ(C(TControl::DestDirEdt).Text, "e:\\Brevanto");

  RemoveDrive('E');
  ASSERT_TRUE(view.FireTimer(2));
  EXPECT_EQ(SelectedDrive(), "c:");
  EXPECT_EQ(C(TControl::DestDirEdt).Text, kDefaultDir);
  EXPECT_EQ(view.Page(), 2);
}

TEST_F(WizardDriveWatchTest, ADriveChangeOnAnotherPageMovesOnlyTheProposal) {
  Open();
  NextUntil(4);
  ASSERT_TRUE(m.AddUsbStick());
  ASSERT_TRUE(view.FireTimer(2));
  EXPECT_EQ(C(TControl::DestDirEdt).Text, "e:\\Brevanto");
  EXPECT_EQ(form->State().Options.InstallDir, kDefaultDir);
  EXPECT_TRUE(C(TControl::InstallToAllChkBx).Visible); // still a fixed-drive installation

  // Back to the destination page and on: the proposal is taken, and the
  // installation becomes portable.
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  NextUntil(4);
  EXPECT_EQ(form->State().Options.InstallDir, "e:\\Brevanto");
  EXPECT_FALSE(C(TControl::InstallToAllChkBx).Visible);
}

// Back from the Start page recomputes the sizes for the folder taken when
// the destination page was left, not for the proposal the drive watch has
// written into the edit box since.
TEST_F(WizardDriveWatchTest, BackFromTheStartPageKeepsTheInstallFolder) {
  Open();
  NextUntil(4);
  const std::vector<int32_t> sizes = form->CompSizes();
  ASSERT_TRUE(m.AddUsbStick());
  ASSERT_TRUE(view.FireTimer(2));
  ASSERT_NE(C(TControl::DestDirEdt).Text, kDefaultDir);
  ASSERT_TRUE(view.Press(TControl::BackBtn));
  EXPECT_EQ(view.Page(), 3);
  EXPECT_EQ(form->State().Options.InstallDir, kDefaultDir);
  EXPECT_EQ(form->CompSizes(), sizes);
  ASSERT_TRUE(view.Press(TControl::NextBtn));
  EXPECT_TRUE(C(TControl::InstallToAllChkBx).Visible); // still not portable
}

TEST_F(WizardDriveWatchTest, ANonSelectedDriveGoingAwayChangesNothing) {
  AddFixedDrive('D');
  Open();
  NextUntil(2);
  ASSERT_TRUE(view.Type(TControl::DestDirEdt, "C:\\Mon dossier"));
  RemoveDrive('D');
  ASSERT_TRUE(view.FireTimer(2));
  EXPECT_EQ(SelectedDrive(), "c:");
  EXPECT_EQ(C(TControl::DestDirEdt).Text, "C:\\Mon dossier");
}

} // namespace

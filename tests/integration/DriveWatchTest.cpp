// The once-a-second drive watch: a drive plugged in takes the proposal, the
// selected drive going away brings it back to the program-files drive, and
// other changes leave the selection and the proposal alone.
#include "wizard/DestDirPage.h"

#include "RecordingListView.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

using ui::TControl;

namespace {

DriveSpec Gone(char letter) {
  return MakeDrive(letter, drive::kNoRootDir);
}

class DriveWatchTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!machine.Emulated())
      GTEST_SKIP() << "needs the emulated machine's drives";
    pf = GetSpecialFolder(csidl::kProgramFiles);
    ASSERT_TRUE(platform::Fs().CreateFolder(JoinPath(pf, "Brevanto")));
    folders.SetDriveBox(&drives);
    drives.SetDirList(&folders);
  }

  // The wizard's start: the folder list on the proposed folder, then the
  // windows; from then on the text box follows the folder list.
  void Open(const std::string& installDir) {
    proposal = installDir;
    folders.SetDirectory(installDir);
    CreateDestDirWindows(drives, folders);
    folders.OnChange = [this] {
      proposal = NormalizeDestDir(folders.Directory(), drives.Drive());
      ++changes;
    };
  }

  TestMachine machine;
  RecordingListView view;
  TDirectoryListBox folders{view, TControl::DestDirLstBx};
  TDriveComboBox drives{view, TControl::DestDirCmbBx};
  std::string pf;
  std::string proposal;
  int changes = 0;
};

} // namespace

TEST_F(DriveWatchTest, AStickPluggedInTakesTheProposalAndGivesItBackWhenRemoved) {
  Open(JoinPath(pf, "Brevanto"));
  DriveWatchTick(drives);
  EXPECT_EQ(changes, 0) << "no drive came or went";

  ASSERT_TRUE(machine.AddDrive(MakeDrive('E', drive::kRemovable, "CLE USB")));
  DriveWatchTick(drives);
  EXPECT_EQ(view.SelectedText(TControl::DestDirCmbBx), "e: [cle usb]");
  EXPECT_EQ(proposal, "e:\\Brevanto");

  ASSERT_TRUE(machine.AddDrive(Gone('E')));
  DriveWatchTick(drives);
  EXPECT_EQ(view.SelectedText(TControl::DestDirCmbBx), "c: ");
  EXPECT_EQ(folders.Directory(), pf + "\\Brevanto");
  EXPECT_EQ(proposal, pf + "\\Brevanto");
  EXPECT_EQ(changes, 2);
}

TEST_F(DriveWatchTest, AStickHoldingTheSamePathIsProposedThere) {
  ASSERT_TRUE(platform::Fs().CreateFolder("C:\\Outils"));
  Open("C:\\Outils");
  DriveSpec stick = MakeDrive('F', drive::kRemovable);
  ASSERT_TRUE(machine.AddDrive(stick));
  ASSERT_TRUE(platform::Fs().CreateFolder("F:\\Outils"));
  ASSERT_TRUE(machine.AddDrive(Gone('F')));
  DriveWatchTick(drives);

  ASSERT_TRUE(machine.AddDrive(stick));
  DriveWatchTick(drives);

  EXPECT_EQ(proposal, "f:\\Outils");
}

TEST_F(DriveWatchTest, TheFirstNewDriveFromCToZIsTaken) {
  Open(JoinPath(pf, "Brevanto"));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('H', drive::kFixed)));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('G', drive::kRemovable)));

  DriveWatchTick(drives);

  EXPECT_EQ(drives.Drive(), 'g');
  EXPECT_EQ(proposal, "g:\\Brevanto");
}

TEST_F(DriveWatchTest, AnotherDriveGoingAwayLeavesSelectionAndProposalAlone) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed, "DATA")));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('E', drive::kRemovable)));
  Open("D:\\");
  proposal = "D:\\Mes outils";

  ASSERT_TRUE(machine.AddDrive(Gone('E')));
  DriveWatchTick(drives);

  EXPECT_EQ(view.SelectedText(TControl::DestDirCmbBx), "d: [data]");
  EXPECT_EQ(drives.Rows().size(), 2u);
  EXPECT_EQ(folders.Directory(), "D:\\");
  EXPECT_EQ(proposal, "D:\\Mes outils");
  EXPECT_EQ(changes, 0);
}

TEST_F(DriveWatchTest, ADriveWithoutARowAppearingKeepsTheSelection) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed, "DATA")));
  Open("D:\\");

  ASSERT_TRUE(machine.AddDrive(MakeDrive('E', drive::kCdRom, "INSTALL")));
  DriveWatchTick(drives);
  ASSERT_TRUE(machine.AddDrive(MakeDrive('B', drive::kRemovable)));
  DriveWatchTick(drives);

  EXPECT_EQ(view.SelectedText(TControl::DestDirCmbBx), "d: [data]");
  EXPECT_EQ(folders.Directory(), "D:\\");
  EXPECT_EQ(changes, 0);
}

TEST_F(DriveWatchTest, WithNoDriveSelectedARemovalGoesToTheProgramFilesDrive) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  Open("\\\\serveur\\partage\\Brevanto");

  ASSERT_TRUE(machine.AddDrive(Gone('D')));
  DriveWatchTick(drives);

  EXPECT_EQ(view.SelectedText(TControl::DestDirCmbBx), "c: ");
  EXPECT_EQ(proposal, pf + "\\Brevanto");
}

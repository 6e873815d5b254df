// The destination page's folder list and drive box on an emulated machine:
// the rows they show, how a folder that does not exist yet is shown, the
// letter-case rules of volumes, and how the two lists move each other.
#include "wizard/DestDirPage.h"

#include "RecordingListView.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "support/FaultyFiles.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

using ui::TControl;
using ui::TListRow;
using ui::TPicture;

namespace {

constexpr TControl kFolders = TControl::DestDirLstBx;
constexpr TControl kDrives = TControl::DestDirCmbBx;

// Creates a folder and its missing parents.
void MakeDir(const std::string& path) {
  std::string sofar = path.substr(0, 3);
  size_t start = 3;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos)
      end = path.size();
    sofar = JoinPath(sofar, path.substr(start, end - start));
    platform::Fs().CreateFolder(sofar);
    start = end + 1;
  }
  ASSERT_TRUE(DirExists(path)) << path;
}

// Marks one folder name as a system folder in every listing.
class SystemFolderFiles : public FaultyFiles {
public:
  explicit SystemFolderFiles(std::string name) : name_(std::move(name)) {}
  bool List(const std::string& folder, std::vector<platform::DirEntry>& out) override {
    const bool listed = FaultyFiles::List(folder, out);
    for (auto& entry : out) {
      if (entry.name == name_)
        entry.attributes |= attr::kSystem;
    }
    return listed;
  }

private:
  std::string name_;
};

class DestDirListsTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!machine.Emulated())
      GTEST_SKIP() << "needs the emulated machine's drives";
    pf = GetSpecialFolder(csidl::kProgramFiles);
    folders.SetDriveBox(&drives);
    drives.SetDirList(&folders);
    folders.OnChange = [this] { ++changes; };
  }

  // What the wizard's text box reads after the folder list changed.
  std::string Proposal() const { return NormalizeDestDir(folders.Directory(), drives.Drive()); }

  TestMachine machine;
  RecordingListView view;
  TDirectoryListBox folders{view, kFolders};
  TDriveComboBox drives{view, kDrives};
  std::string pf;
  int changes = 0;
};

} // namespace

TEST_F(DestDirListsTest, FolderRowsLeadDownToTheFolderThenListItsSubFoldersSorted) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  for (const char* name : {"zeta", "Alpha", "beta", ".cache", "System Volume"})
    MakeDir(JoinPath("D:\\Outils\\Brevanto", name));
  ASSERT_EQ(platform::Fs().ReplaceFile("D:\\Outils\\Brevanto\\notes.txt", "x", 1, nullptr),
            platform::IoStatus::Ok);
  SystemFolderFiles files("System Volume");

  folders.SetDirectory("D:\\Outils\\Brevanto");

  const std::vector<TListRow> expected = {
      {"D:", TPicture::OpenFolder, 3},        {"Outils", TPicture::OpenFolder, 15},
      {"Brevanto", TPicture::OpenFolder, 27}, {"Alpha", TPicture::ClosedFolder, 39},
      {"beta", TPicture::ClosedFolder, 39},   {"zeta", TPicture::ClosedFolder, 39}};
  EXPECT_EQ(view.Of(kFolders).rows, expected);
  EXPECT_EQ(view.Of(kFolders).selected, 2);
  const std::vector<std::string> paths = {"D:\\",
                                          "D:\\Outils",
                                          "D:\\Outils\\Brevanto",
                                          "D:\\Outils\\Brevanto\\Alpha",
                                          "D:\\Outils\\Brevanto\\beta",
                                          "D:\\Outils\\Brevanto\\zeta"};
  EXPECT_EQ(folders.RowPaths(), paths);
}

TEST_F(DestDirListsTest, RootRowsShowTheDriveAndIndentSubFoldersOneStep) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  MakeDir("D:\\Outils");

  folders.SetDirectory("D:\\");

  const std::vector<TListRow> expected = {{"D:", TPicture::OpenFolder, 3},
                                          {"Outils", TPicture::ClosedFolder, 15}};
  EXPECT_EQ(view.Of(kFolders).rows, expected);
  EXPECT_EQ(view.Of(kFolders).selected, 0);
}

TEST_F(DestDirListsTest, AFolderNotYetMadeIsShownThroughItsNearestAncestor) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  MakeDir("D:\\Outils");

  folders.SetDirectory("D:\\Outils\\Brevanto\\Donn\xE9"
                       "es");
  EXPECT_EQ(folders.Directory(), "D:\\Outils\\");
  EXPECT_EQ(view.Of(kFolders).rows.size(), 2u);
  EXPECT_EQ(view.Of(kFolders).selected, 1);
  EXPECT_EQ(Proposal(), "D:\\Outils");

  folders.SetDirectory("D:\\Nulle\\Part");
  EXPECT_EQ(folders.Directory(), "D:\\");
}

TEST_F(DestDirListsTest, AFolderThatCannotBeListedGivesNoSubFolderRows) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  MakeDir("D:\\Outils\\Brevanto");
  FaultyFiles files;
  files.FailPath(FileOp::List, "D:\\Outils", platform::IoStatus::AccessDenied);

  folders.SetDirectory("D:\\Outils");

  EXPECT_EQ(view.Of(kFolders).rows.size(), 2u);
  EXPECT_EQ(view.Of(kFolders).selected, 1);
}

TEST_F(DestDirListsTest, ChoosingARowMovesTheListAndTheProposal) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  MakeDir("D:\\Outils\\Brevanto");
  folders.SetDirectory("D:\\Outils\\Brevanto");
  changes = 0;

  folders.RowChosen(1);
  EXPECT_EQ(folders.Directory(), "D:\\Outils");
  EXPECT_EQ(Proposal(), "D:\\Outils");

  folders.RowChosen(0);
  EXPECT_EQ(folders.Directory(), "D:\\");
  EXPECT_EQ(Proposal(), "D:\\Brevanto");
  EXPECT_EQ(changes, 2);

  folders.RowChosen(0);
  folders.RowChosen(99);
  EXPECT_EQ(changes, 2) << "the folder shown again or no row: nothing changes";
}

TEST_F(DestDirListsTest, AVolumeThatNeitherKeepsNorDistinguishesCaseShowsLowerCase) {
  DriveSpec fat = MakeDrive('D', drive::kFixed);
  fat.caseRules = {false, false};
  ASSERT_TRUE(machine.AddDrive(fat));
  MakeDir("D:\\OUTILS\\\xC9T\xC9");

  folders.SetDirectory("D:\\OUTILS");

  const std::vector<TListRow> expected = {{"d:", TPicture::OpenFolder, 3},
                                          {"outils", TPicture::OpenFolder, 15},
                                          {"\xE9t\xE9", TPicture::ClosedFolder, 27}};
  EXPECT_EQ(view.Of(kFolders).rows, expected);
  EXPECT_EQ(folders.RowPaths()[2], "D:\\OUTILS\\\xC9T\xC9") << "only the text is lower case";
}

TEST_F(DestDirListsTest, ACaseSensitiveVolumeTellsFoldersApartByCase) {
  DriveSpec sensitive = MakeDrive('D', drive::kFixed);
  sensitive.caseRules = {true, true};
  ASSERT_TRUE(machine.AddDrive(sensitive));
  DriveSpec plain = MakeDrive('E', drive::kFixed);
  ASSERT_TRUE(machine.AddDrive(plain));
  MakeDir("D:\\Outils");
  MakeDir("E:\\Outils");

  folders.SetDirectory("D:\\Outils");
  changes = 0;
  folders.SetDirectory("D:\\OUTILS");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(view.Of(kFolders).rows[1].Text, "OUTILS");

  folders.SetDirectory("E:\\Outils");
  changes = 0;
  folders.SetDirectory("e:\\OUTILS");
  EXPECT_EQ(changes, 0) << "the same folder on a case-insensitive volume";
  EXPECT_EQ(folders.Directory(), "E:\\Outils");
}

TEST_F(DestDirListsTest, DriveRowsListLettersCToZWithoutCdRomsNamedInLowerCase) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('A', drive::kRemovable, "DISQUETTE")));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed,
                                         "Donn\xC9"
                                         "es")));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('E', drive::kRemovable)));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('F', drive::kCdRom, "CD")));
  DriveSpec usbDisk = MakeDrive('G', drive::kFixed, "Disque USB");
  usbDisk.device = platform::StorageDevice{bus::kUsb, false};
  ASSERT_TRUE(machine.AddDrive(usbDisk));
  DriveSpec share = MakeDrive('H', drive::kRemote, "ignored");
  share.remoteName = "\\\\Serveur\\Partage";
  ASSERT_TRUE(machine.AddDrive(share));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('Z', drive::kRemote, "R\xC9SEAU")));

  drives.BuildList();

  const std::vector<TListRow> expected = {{"c: ", TPicture::FixedDrive, 2},
                                          {"d: [donn\xE9"
                                           "es]",
                                           TPicture::FixedDrive, 2},
                                          {"e: ", TPicture::RemovableDrive, 2},
                                          {"g: [disque usb]", TPicture::RemovableDrive, 2},
                                          {"h: \\\\serveur\\partage", TPicture::FixedDrive, 2},
                                          {"z: [r\xE9seau]", TPicture::FixedDrive, 2}};
  EXPECT_EQ(drives.Rows(), expected);
  EXPECT_EQ(view.Of(kDrives).rows, expected);
  EXPECT_EQ(view.Of(kDrives).selected, -1);
  EXPECT_EQ(drives.Text(), "");
  EXPECT_EQ(drives.DriveMask(), 0x02000000u | 0xFD);
}

TEST_F(DestDirListsTest, ChoosingTheFolderOnAnotherDriveSelectsThatDrive) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed, "DATA")));
  MakeDir("D:\\Outils");
  drives.BuildList();
  folders.SetDirectory(JoinPath(pf, "Brevanto"));
  EXPECT_EQ(drives.Drive(), 'c');
  EXPECT_EQ(view.SelectedText(kDrives), "c: ");
  const int rowBuilds = view.Of(kFolders).builds;
  changes = 0;

  folders.SetDirectory("D:\\Outils");

  EXPECT_EQ(drives.Drive(), 'd');
  EXPECT_EQ(drives.Text(), "d: [data]");
  EXPECT_EQ(view.SelectedText(kDrives), "d: [data]");
  EXPECT_EQ(folders.Directory(), "D:\\Outils") << "the drive box does not move the list back";
  EXPECT_EQ(view.Of(kFolders).builds, rowBuilds + 1) << "one rebuild for one move";
  EXPECT_EQ(changes, 1);
}

TEST_F(DestDirListsTest, ChoosingTheProgramFilesDriveShowsTheProductFolderWhenItExists) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  drives.BuildList();
  folders.SetDirectory("D:\\");
  const int cRow = drives.RowOf('c');
  ASSERT_GE(cRow, 0);

  drives.RowChosen(cRow);
  EXPECT_EQ(folders.Directory(), pf + "\\");
  EXPECT_EQ(Proposal(), pf + "\\Brevanto");

  MakeDir(JoinPath(pf, "Brevanto"));
  drives.RowChosen(drives.RowOf('d'));
  drives.RowChosen(cRow);
  EXPECT_EQ(folders.Directory(), pf + "\\Brevanto");
  EXPECT_EQ(Proposal(), pf + "\\Brevanto");
  EXPECT_EQ(view.SelectedText(kDrives), "c: ");
}

TEST_F(DestDirListsTest, ChoosingAnotherDriveKeepsThePathWhereItExistsElseTheRoot) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed)));
  ASSERT_TRUE(machine.AddDrive(MakeDrive('E', drive::kFixed)));
  MakeDir("C:\\Outils");
  MakeDir("D:\\Outils");
  drives.BuildList();
  folders.SetDirectory("C:\\Outils");
  changes = 0;

  drives.RowChosen(drives.RowOf('d'));
  EXPECT_EQ(folders.Directory(), "d:\\Outils");
  EXPECT_EQ(Proposal(), "d:\\Outils");
  EXPECT_EQ(view.SelectedText(kFolders), "Outils");

  drives.RowChosen(drives.RowOf('e'));
  EXPECT_EQ(folders.Directory(), "e:\\");
  EXPECT_EQ(Proposal(), "e:\\Brevanto");
  EXPECT_EQ(changes, 2);

  drives.RowChosen(drives.RowOf('e'));
  EXPECT_EQ(changes, 2) << "the drive already chosen";
}

TEST_F(DestDirListsTest, WindowsCreatedAfterTheFirstFolderSelectItsDriveAndRow) {
  ASSERT_TRUE(machine.AddDrive(MakeDrive('D', drive::kFixed, "DATA")));
  MakeDir("D:\\Outils");
  folders.SetDirectory("D:\\Outils\\Brevanto");
  EXPECT_EQ(drives.Drive(), 'd') << "the first folder always counts as a drive change";

  CreateDestDirWindows(drives, folders);

  EXPECT_EQ(view.SelectedText(kDrives), "d: [data]");
  EXPECT_EQ(view.SelectedText(kFolders), "Outils");
  EXPECT_EQ(folders.Directory(), "D:\\Outils\\");
}

TEST_F(DestDirListsTest, ANetworkFolderLeavesBothListsEmptyUntilADriveIsChosen) {
  folders.SetDirectory("\\\\serveur\\partage\\Brevanto");
  CreateDestDirWindows(drives, folders);

  EXPECT_TRUE(view.Of(kFolders).rows.empty());
  EXPECT_EQ(view.SelectedText(kDrives), "");
  EXPECT_EQ(changes, 0);

  drives.RowChosen(drives.RowOf('c'));
  EXPECT_EQ(folders.Directory(), pf + "\\");
  EXPECT_EQ(changes, 1);
}

// The uninstall entry: the estimated size of the install folder, and the six
// values a normal installation registers.
#include "IntegrationHarness.h"

#include "instutils/InstUtils.h"
#include "integration/Settings.h"
#include "integration/Uninstall.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

using platform::RegRoot;

namespace {

class FolderSizeTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    folder = m.Machine().Base() + "Brevanto";
  }

  void File(const std::string& name, size_t size) {
    m.Write(folder + "\\" + name, std::string(size, 'x'));
  }

  IntegrationMachine m;
  std::string folder;
};

TEST_F(FolderSizeTest, EachFileTakesWholeClustersThenWholeKB) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  File("one.bin", 1);
  File("cluster.bin", 4096);
  File("more.bin", 4097);
  EXPECT_EQ(GetFolderSizeKB(folder), 16);
}

TEST_F(FolderSizeTest, SmallClustersAreCutDownToWholeKB) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(512));
  File("a.bin", 100);
  File("b.bin", 1500);
  EXPECT_EQ(GetFolderSizeKB(folder), 1);
}

TEST_F(FolderSizeTest, SubFoldersCountAndEmptyOrMissingFoldersGiveZero) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  EXPECT_EQ(GetFolderSizeKB(folder), 0);
  ForceDir(folder + "\\Vide\\");
  EXPECT_EQ(GetFolderSizeKB(folder), 0);
  File("Vide\\Plein\\x.bin", 0);
  File("Orthographe\\y.bin", 5000);
  File("z.bin", 10);
  EXPECT_EQ(GetFolderSizeKB(folder), 12);
  EXPECT_EQ(GetFolderSizeKB(folder + "\\"), 12);
}

TEST_F(FolderSizeTest, AFileThatCannotBeOpenedCountsOneCluster) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(8192));
  File("locked.bin", 100000);
  FaultyFiles faulty;
  faulty.FailPath(FileOp::Length, folder + "\\locked.bin", platform::IoStatus::SharingViolation);
  EXPECT_EQ(GetFolderSizeKB(folder), 8);
}

// A listing of invented entries: huge files and a folder link.
class InventedListing : public FaultyFiles {
public:
  bool List(const std::string& folder, std::vector<platform::DirEntry>& out) override {
    if (!folder.ends_with("Brevanto") && !folder.ends_with("Brevanto\\"))
      return FaultyFiles::List(folder, out);
    out = entries;
    return true;
  }
  int64_t FileLength(const std::string& name) override {
    for (const platform::DirEntry& e : entries) {
      if (name.ends_with("\\" + e.name))
        return int32_t(uint32_t(e.size));
    }
    return FaultyFiles::FileLength(name);
  }
  std::vector<platform::DirEntry> entries;
};

TEST_F(FolderSizeTest, HugeFilesAreSummedWithoutWrappingAndTheSumIsClamped) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  InventedListing listing;
  const int64_t threeGiB = int64_t(3) << 30;
  listing.entries = {{"big.vhd", attr::kArchive, threeGiB, 0}};
  EXPECT_EQ(GetFolderSizeKB(folder), 3 * 1024 * 1024);
  for (int i = 0; i < 3; ++i)
    listing.entries.push_back({"disk" + std::to_string(i), attr::kArchive, int64_t(1) << 40, 0});
  EXPECT_EQ(GetFolderSizeKB(folder), 2147483647);
}

TEST_F(FolderSizeTest, FolderLinksAreNotFollowed) {
  ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  File("Autre\\x.bin", 10);
  InventedListing listing;
  listing.entries = {{"Autre", attr::kDirectory | attr::kReparsePoint, 0, 0},
                     {".", attr::kDirectory, 0, 0},
                     {"..", attr::kDirectory, 0, 0},
                     {"kre.exe", attr::kArchive, 10, 0}};
  EXPECT_EQ(GetFolderSizeKB(folder), 4);
}

class UninstallEntryTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
  }

  std::optional<RegValue> Entry(const std::string& name) {
    return m.Value(RegRoot::LocalMachine, kUninstallKey, name);
  }

  IntegrationMachine m;
};

TEST_F(UninstallEntryTest, NormalInstallationWritesSixValuesInOrder) {
  TSetupState state;
  state.Options.InstallDir = "C:\\Program Files\\Brevanto\\";
  m.Write("C:\\Program Files\\Brevanto\\kre.exe", std::string(5000, 'k'));
  WriteRegistrySettings(state);

  const std::vector<std::string> expected = {"MAINDIR",     "COMPS_FR (3.1.1)", "INSTALLTOALL",
                                             "EXTENSIONS",  "LAUNCH",           "DisplayIcon",
                                             "DisplayName", "DisplayVersion",   "EstimatedSize",
                                             "Publisher",   "UninstallString"};
  EXPECT_EQ(m.registry->written, expected);
  EXPECT_EQ(Entry("DisplayIcon")->data, std::string("C:\\Program Files\\Brevanto\\kre.exe") + '\0');
  EXPECT_EQ(Entry("DisplayName")->data, std::string("Traitement de texte Brevanto") + '\0');
  EXPECT_EQ(Entry("DisplayVersion")->data, std::string("3.2.13.4") + '\0');
  EXPECT_EQ(Entry("EstimatedSize")->type, regtype::kDword);
  EXPECT_EQ(Entry("EstimatedSize")->data, Dword(8));
  EXPECT_EQ(Entry("Publisher")->data, std::string("The Brevanto Word Processor Team") + '\0');
  EXPECT_EQ(Entry("UninstallString")->data,
            std::string("\"C:\\Program Files\\Brevanto\\kre.exe\" -ui") + '\0');
  EXPECT_FALSE(m.Value(RegRoot::CurrentUser, kUninstallKey, "DisplayName"));
}

TEST_F(UninstallEntryTest, ReinstallingElsewhereDescribesTheNewFolder) {
  TSetupState state;
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  WriteRegistrySettings(state);
  EXPECT_EQ(Entry("EstimatedSize")->data, Dword(0));
  state.Options.InstallDir = "C:\\Outils\\Brevanto";
  m.Write("C:\\Outils\\Brevanto\\Licence.txt", "x");
  WriteRegistrySettings(state);
  EXPECT_EQ(Entry("DisplayIcon")->data, std::string("C:\\Outils\\Brevanto\\kre.exe") + '\0');
  EXPECT_EQ(Entry("EstimatedSize")->data, Dword(4));
}

TEST_F(UninstallEntryTest, PortableInstallationLeavesTheEntryOfAnEarlierOneAlone) {
  ASSERT_TRUE(m.AddUsbStick());
  TSetupState state;
  state.Options.InstallDir = "C:\\Program Files\\Brevanto";
  WriteRegistrySettings(state);
  state.Options.InstallDir = "E:\\Apps\\Brevanto";
  WriteRegistrySettings(state);
  EXPECT_EQ(Entry("DisplayIcon")->data, std::string("C:\\Program Files\\Brevanto\\kre.exe") + '\0');
  EXPECT_EQ(m.Value(RegRoot::CurrentUser, kInstallKey, "MAINDIR")->data,
            std::string("E:\\Apps\\Brevanto") + '\0');
}

} // namespace

// The install plan: destinations, overwrite modes against what already
// exists at the destination, the update list of the public data folder, and
// the logging choice taken at planning time.
#include "engine/AttachFiles.h"

#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "support/ArchiveBuilder.h"
#include "support/ScopedInstallLog.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class CataloguePlanTest : public ::testing::Test {
protected:
  void SetUp() override {
    dest = machine.Base() + "Brevanto\\";
    publicDir = JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\Public\\");
    ASSERT_NE(publicDir, "Brevanto\\Public\\") << "the machine has no common data folder";
    Load(kSampleDate);
  }

  void TearDown() override {
    DestIsFileName = false;
    LogSuspendCount = 0;
  }

  // The catalogue with every entry dated `date`.
  void Load(double date) {
    ArchiveBuilder archive;
    archive.Add("kre.exe", "programme", date).Add("Licence.txt", "licence", date);
    archive.Add("English (American).cache", "cache", date).Add("vide.tlx", "", date);
    archive.Add("Collections d'inserts\\Voeux\\Bonne année.ins", "voeux", date);
    archive.Add("Collections d'inserts\\Images\\Puces\\Puce 1.gif", "GIF89a", date);
    archive.Add("Collections d'inserts\\Images\\Puces\\Puce 2.gif", "GIF89b", date);
    files = archive.Catalogue();
    ASSERT_NE(files, nullptr);
  }

  void MakeFile(const std::string& path) {
    ForceDir(path.substr(0, path.rfind('\\') + 1));
    ASSERT_EQ(platform::Fs().ReplaceFile(path, "old", 3, nullptr), platform::IoStatus::Ok) << path;
  }

  std::vector<std::string> Planned(int comp) const {
    std::vector<std::string> names;
    for (const TFileToInstall& file : files->FilesToInstall(comp))
      names.push_back(file.DestName);
    return names;
  }

  TestMachine machine;
  ScopedInstallLog log;
  std::string dest;
  std::string publicDir;
  std::unique_ptr<TAttachedFiles> files;
};

TEST_F(CataloguePlanTest, SingleEntryGoesBelowTheFolderUnderItsName) {
  EXPECT_TRUE(files->AddFileToInstall("KRE.EXE", dest, 0, omAlwaysReplace));
  ASSERT_EQ(files->FilesToInstall(0).size(), 1u);
  const TFileToInstall& planned = files->FilesToInstall(0)[0];
  EXPECT_EQ(planned.DestName, dest + "kre.exe");
  EXPECT_EQ(planned.AttachedFile, files->FindFile("kre.exe"));
  EXPECT_TRUE(planned.Logged);
  EXPECT_EQ(files->TotalSizeToInstall(), 9);
  EXPECT_TRUE(files->UpdateList().empty());
}

TEST_F(CataloguePlanTest, FolderPrefixPlansEveryEntryBelowItWithItsSubFolders) {
  const std::string noSlash = dest.substr(0, dest.size() - 1);
  EXPECT_TRUE(files->AddFileToInstall("collections d'inserts\\", noSlash, 5, omKeepExisting));
  EXPECT_EQ(Planned(5),
            (std::vector<std::string>{dest + "Collections d'inserts\\Voeux\\Bonne année.ins",
                                      dest + "Collections d'inserts\\Images\\Puces\\Puce 1.gif",
                                      dest + "Collections d'inserts\\Images\\Puces\\Puce 2.gif"}));
  EXPECT_EQ(files->TotalSizeToInstall(), 5 + 6 + 6);
}

TEST_F(CataloguePlanTest, UnknownNamesPlanNothing) {
  EXPECT_FALSE(files->AddFileToInstall("absent.dll", dest, 0, omAlwaysReplace));
  EXPECT_FALSE(files->AddFileToInstall("Modèles de document\\", dest, 4, omAlwaysReplace));
  EXPECT_FALSE(files->AddFileToInstall("Collections d'inserts", dest, 5, omAlwaysReplace));
  for (int comp = 0; comp < kComponentCount; ++comp)
    EXPECT_TRUE(files->FilesToInstall(comp).empty());
}

TEST_F(CataloguePlanTest, ZeroSizeEntryIsPlannedAndAddsNothing) {
  EXPECT_TRUE(files->AddFileToInstall("vide.tlx", dest, 2, omAlwaysReplace));
  EXPECT_EQ(files->FilesToInstall(2).size(), 1u);
  EXPECT_EQ(files->TotalSizeToInstall(), 0);
}

TEST_F(CataloguePlanTest, KeepExistingSkipsAnExistingFileOnly) {
  MakeFile(dest + "kre.exe");
  EXPECT_FALSE(files->AddFileToInstall("kre.exe", dest, 0, omKeepExisting));
  EXPECT_TRUE(files->AddFileToInstall("Licence.txt", dest, 0, omKeepExisting));
  EXPECT_EQ(Planned(0), std::vector<std::string>{dest + "Licence.txt"});
  EXPECT_FALSE(files->AddFileToInstall("kre.exe", dest, 0, static_cast<TOverwriteMode>(7)))
      << "unknown modes behave as omKeepExisting";
}

TEST_F(CataloguePlanTest, FolderStandingAtTheDestinationIsNotAnExistingFile) {
  ForceDir(dest + "kre.exe\\");
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 0, omKeepExisting));
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 1, omReplaceIfDateDiffers));
  EXPECT_EQ(Planned(0), std::vector<std::string>{dest + "kre.exe"});
}

TEST_F(CataloguePlanTest, ReplaceIfDateDiffersComparesTheFileDateExactly) {
  MakeFile(dest + "kre.exe");
  const double onDisk = GetFileWriteDate(dest + "kre.exe");

  Load(onDisk);
  EXPECT_FALSE(files->AddFileToInstall("kre.exe", dest, 0, omReplaceIfDateDiffers));
  EXPECT_TRUE(files->FilesToInstall(0).empty());

  Load(onDisk + 2.0 / 86400);
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 0, omReplaceIfDateDiffers));
  EXPECT_TRUE(files->AddFileToInstall("Licence.txt", dest, 0, omReplaceIfDateDiffers));
  EXPECT_EQ(files->FilesToInstall(0).size(), 2u);
}

TEST_F(CataloguePlanTest, ForceOverwritePlansExistingFilesWhateverTheMode) {
  MakeFile(dest + "kre.exe");
  Load(GetFileWriteDate(dest + "kre.exe"));
  files->ForceOverwrite = true;
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 0, omKeepExisting));
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 1, omReplaceIfDateDiffers));
}

TEST_F(CataloguePlanTest, PublicFolderFilesGoToTheUpdateListMarkedWhenKeptByRequest) {
  const std::string puce1 = publicDir + "Collections d'inserts\\Images\\Puces\\Puce 1.gif";
  const std::string puce2 = publicDir + "Puce 2.gif";
  MakeFile(puce1);
  files->ForceOverwrite = true;
  EXPECT_TRUE(files->AddFileToInstall("Collections d'inserts\\Images\\Puces\\Puce 1.gif", publicDir,
                                      5, omKeepExisting));
  DestIsFileName = true;
  EXPECT_TRUE(files->AddFileToInstall("Collections d'inserts\\Images\\Puces\\Puce 2.gif", puce2, 5,
                                      omAlwaysReplace));
  DestIsFileName = false;
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 0, omKeepExisting));

  EXPECT_EQ(files->UpdateList(), (std::vector<std::string>{puce1 + "\t!", puce2}));
  EXPECT_EQ(Planned(5), (std::vector<std::string>{puce1, puce2}));
}

TEST_F(CataloguePlanTest, PublicFolderPrefixIgnoresCase) {
  std::string upper = publicDir;
  for (char& c : upper)
    c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  EXPECT_TRUE(files->AddFileToInstall("Licence.txt", upper, 0, omReplaceIfDateDiffers));
  EXPECT_EQ(files->UpdateList(), std::vector<std::string>{upper + "Licence.txt"});
  EXPECT_TRUE(files->AddFileToInstall("vide.tlx", publicDir.substr(0, publicDir.size() - 1) + "x\\",
                                      0, omKeepExisting));
  EXPECT_EQ(files->UpdateList().size(), 1u) << "a sibling folder with a longer name is outside";
}

TEST_F(CataloguePlanTest, DestIsFileNameUsesTheArgumentAsTheWholeName) {
  DestIsFileName = true;
  EXPECT_TRUE(files->AddFileToInstall("English (American).cache", dest + "English (British).cache",
                                      2, omAlwaysReplace));
  EXPECT_EQ(Planned(2), std::vector<std::string>{dest + "English (British).cache"});
}

TEST_F(CataloguePlanTest, LoggedIsFixedWhenTheFileIsPlanned) {
  SuspendLogging();
  EXPECT_TRUE(files->AddFileToInstall("kre.exe", dest, 0, omAlwaysReplace));
  ResumeLogging();
  EXPECT_TRUE(files->AddFileToInstall("Licence.txt", dest, 0, omAlwaysReplace));
  ASSERT_EQ(files->FilesToInstall(0).size(), 2u);
  EXPECT_FALSE(files->FilesToInstall(0)[0].Logged);
  EXPECT_TRUE(files->FilesToInstall(0)[1].Logged);
}

TEST_F(CataloguePlanTest, ClearingOneComponentLeavesTheOthers) {
  files->AddFileToInstall("kre.exe", dest, 0, omAlwaysReplace);
  files->AddFileToInstall("Collections d'inserts\\", dest, 5, omAlwaysReplace);
  files->ClearFilesToInstall(5);
  EXPECT_TRUE(files->FilesToInstall(5).empty());
  EXPECT_EQ(files->FilesToInstall(0).size(), 1u);
  EXPECT_EQ(files->TotalSizeToInstall(), 9);
  files->ClearFilesToInstall(-1);
  files->ClearFilesToInstall(kComponentCount);
  EXPECT_FALSE(files->AddFileToInstall("kre.exe", dest, kComponentCount, omAlwaysReplace));
}

TEST_F(CataloguePlanTest, EntryPlannedTwiceCountsTwiceInTheTotal) {
  files->AddFileToInstall("kre.exe", dest, 0, omAlwaysReplace);
  files->AddFileToInstall("kre.exe", dest + "copie\\", 3, omAlwaysReplace);
  EXPECT_EQ(files->TotalSizeToInstall(), 18);
}

TEST(CataloguePlanTotal, SaturatesAtTheSignedLimit) {
  TestMachine machine;
  auto files = ArchiveBuilder().Add("big.bin", NoiseBytes(8 << 20, 2)).Catalogue(1);
  ASSERT_NE(files, nullptr);
  for (int i = 0; i < 257; ++i)
    files->AddFileToInstall("big.bin", machine.Base() + std::to_string(i), i % 7, omAlwaysReplace);
  EXPECT_EQ(files->TotalSizeToInstall(), INT32_MAX);
}

TEST(CatalogueTeardown, DestroyingTheCatalogueDeletesTheProgramsTemporaryFiles) {
  TestMachine machine;
  const std::string temp = NewTempFileName();
  ASSERT_TRUE(WriteStringToFile(temp, "temporaire"));
  auto files = ArchiveBuilder().Add("a", "1").Catalogue();
  ASSERT_NE(files, nullptr);
  EXPECT_TRUE(platform::Fs().IsFile(temp));
  files.reset();
  EXPECT_FALSE(platform::Fs().IsFile(temp));
}

} // namespace

// The catalogue's view of the archive: loading, look-ups, the component file
// lists and their sizes on the destination volume, and the plan's total.
#include "engine/AttachFiles.h"
#include "engine/Components.h"

#include "instutils/DiskQueries.h"
#include "support/ArchiveBuilder.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const char* const kInstallDir = "C:\\Program Files\\Brevanto";

// A catalogue shaped like the current build, with small contents: top-level
// files, 29 templates in seven folders, inserts with a picture folder.
ArchiveBuilder BuildLikeArchive() {
  ArchiveBuilder archive;
  archive.Add("kre.exe", std::string(5000, 'k')).Add("Licence.txt", std::string(100, 'l'));
  archive.Add("userdicen.tlx").Add("English (American).cache", std::string(9000, 'c'));
  const char* folders[] = {
      "Divers\\", "Lettres commerciales\\", "Lettres officielles\\", "Lettres personnelles\\",
      "Mémos\\",  "Tables des matières\\",  "Télécopies\\"};
  for (int i = 0; i < 29; ++i) {
    archive.Add(std::string("Modèles de document\\") + folders[i % 7] + "Modèle " +
                    std::to_string(i) + ".mdl",
                std::string(100 * (i + 1), 'm'));
  }
  archive.Add("Modèles.txt", "not a template"); // looks like the folder, is not in it
  archive.Add("Collections d'inserts\\Images\\Puces\\Puce 1.gif", std::string(700, 'g'));
  archive.Add("Collections d'inserts\\Voeux\\Joyeux Noël.ins", std::string(300, 'v'));
  archive.Add("persodicfr.tlx").Add("français.zlx", std::string(4097, 'f'));
  return archive;
}

int64_t RoundUp(int64_t size, int64_t cluster) {
  return (size + cluster - 1) / cluster * cluster;
}

int64_t TemplatesOnDisk(int64_t cluster) {
  int64_t sum = 0;
  for (int i = 0; i < 29; ++i)
    sum += RoundUp(100 * (i + 1), cluster);
  return sum;
}

class CatalogueTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (machine.Emulated()) {
      ASSERT_TRUE(machine.SetSystemClusterSize(4096));
    }
    files = BuildLikeArchive().Catalogue();
    ASSERT_NE(files, nullptr);
    cluster = GetClusterSize(kInstallDir);
  }

  TestMachine machine;
  std::unique_ptr<TAttachedFiles> files;
  int64_t cluster = 0;
};

TEST(CatalogueLoad, KeepsTheImageAndEveryEntryInArchiveOrder) {
  TestMachine machine;
  const ArchiveBuilder archive = ArchiveBuilder().Add("b.txt", "BB").Add("a.txt", "A");
  auto files = archive.Catalogue();
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->Files().size(), 2u);
  EXPECT_EQ(files->DataSize(), static_cast<int32_t>(archive.Image().size()));
  const TAttachedFile& b = files->Files()[0];
  EXPECT_EQ(b.Name, "b.txt");
  EXPECT_EQ(b.Date, kSampleDate);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(files->Data()) + b.Offset, b.Size), "BB");
  EXPECT_EQ(files->Files()[1].Name, "a.txt");
  for (int comp = 0; comp < kComponentCount; ++comp)
    EXPECT_TRUE(files->FilesToInstall(comp).empty());
  EXPECT_TRUE(files->UpdateList().empty());
  EXPECT_FALSE(files->ForceOverwrite);
}

TEST(CatalogueLoad, DamagedArchivesGiveNoCatalogueAndTheirReason) {
  TestMachine machine;
  ArchiveError error = ArchiveError::None;
  const std::string badRecord = ArchiveBuilder().AddDeclared("a", 100, "x").Compressed();
  EXPECT_EQ(TAttachedFiles::FromCompressed(Bytes(badRecord), badRecord.size(), error), nullptr);
  EXPECT_EQ(error, ArchiveError::BadRecord);
  const std::string unsafe = ArchiveBuilder().Add("..\\..\\evil.exe", "x").Compressed();
  EXPECT_EQ(TAttachedFiles::FromCompressed(Bytes(unsafe), unsafe.size(), error), nullptr);
  EXPECT_EQ(error, ArchiveError::UnsafeName);
  const std::string cut = badRecord.substr(0, badRecord.size() / 2);
  EXPECT_EQ(TAttachedFiles::FromCompressed(Bytes(cut), cut.size(), error), nullptr);
  EXPECT_EQ(error, ArchiveError::Truncated);
}

TEST(CatalogueLoad, EmptyArchiveIsAnEmptyCatalogue) {
  TestMachine machine;
  auto files = ArchiveBuilder().Catalogue();
  ASSERT_NE(files, nullptr);
  EXPECT_TRUE(files->Files().empty());
  EXPECT_EQ(files->ComponentSize("kre.exe\rModèles de document\\", kInstallDir), 0);
}

TEST_F(CatalogueTest, FindFileIgnoresCaseAndAcceptsOnlyWholeNames) {
  ASSERT_NE(files->FindFile("FRANÇAIS.ZLX"), nullptr);
  EXPECT_EQ(files->FindFile("FRANÇAIS.ZLX")->Name, "français.zlx");
  EXPECT_EQ(files->FindFile("kre"), nullptr);
  EXPECT_EQ(files->FindFile("kre.exe "), nullptr);
  EXPECT_EQ(files->FindFile("Modèles de document\\"), nullptr);
  EXPECT_EQ(files->FindFile(""), nullptr);
}

TEST_F(CatalogueTest, FolderPatternCountsEveryTemplateInAnyCase) {
  const int32_t sum = files->ComponentSize("Modèles de document\\", kInstallDir);
  EXPECT_EQ(sum, TemplatesOnDisk(cluster));
  EXPECT_EQ(files->ComponentSize("MODÈLES DE DOCUMENT\\", kInstallDir), sum);
  EXPECT_EQ(files->ComponentSize("modèles de document\\", kInstallDir), sum);
  EXPECT_EQ(files->ComponentSize(Components[4].FileList, kInstallDir), sum);
  if (machine.Emulated()) {
    EXPECT_EQ(sum, 29 * 4096);
  }
}

TEST_F(CatalogueTest, PatternsWithoutTrailingBackslashMatchWholeNamesOnly) {
  EXPECT_EQ(files->ComponentSize("Modèles", kInstallDir), 0);
  EXPECT_EQ(files->ComponentSize("Modèles de document", kInstallDir), 0);
  EXPECT_EQ(files->ComponentSize("Modèles.txt", kInstallDir), cluster);
  EXPECT_EQ(files->ComponentSize("Mod\\", kInstallDir), 0);
}

TEST_F(CatalogueTest, FileListsSplitAtAnyLineEndAndCountRepeats) {
  const int64_t kre = RoundUp(5000, cluster);
  const int64_t licence = RoundUp(100, cluster);
  EXPECT_EQ(files->ComponentSize("kre.exe\rLicence.txt", kInstallDir), kre + licence);
  EXPECT_EQ(files->ComponentSize("kre.exe\nLicence.txt\r\n", kInstallDir), kre + licence);
  EXPECT_EQ(files->ComponentSize("\r\n\rkre.exe\r\r\nabsent.dat\n\n", kInstallDir), kre);
  EXPECT_EQ(files->ComponentSize("kre.exe\rKRE.EXE", kInstallDir), 2 * kre);
  EXPECT_EQ(files->ComponentSize("", kInstallDir), 0);
}

TEST_F(CatalogueTest, ZeroSizeEntriesAddNothing) {
  EXPECT_EQ(files->ComponentSize("userdicen.tlx\rpersodicfr.tlx", kInstallDir), 0);
  EXPECT_EQ(files->ComponentSize(Components[1].FileList, kInstallDir), RoundUp(4097, cluster));
}

TEST(CatalogueSizes, ClusterSizeOfTheDestinationVolumeCounts) {
  TestMachine machine;
  if (!machine.Emulated())
    GTEST_SKIP() << "needs a configurable drive";
  DriveSpec stick;
  stick.letter = 'E';
  stick.type = 2;
  stick.bytesPerCluster = 32768;
  ASSERT_TRUE(machine.AddDrive(stick));
  ASSERT_TRUE(machine.SetSystemClusterSize(512));
  auto files = BuildLikeArchive().Catalogue();
  EXPECT_EQ(files->ComponentSize("kre.exe", "E:\\Brevanto"), 32768);
  EXPECT_EQ(files->ComponentSize("kre.exe", "C:\\Brevanto"), 5120);
}

TEST(CatalogueSizes, SumsBeyondTheSignedRangeSaturate) {
  TestMachine machine;
  ArchiveBuilder archive;
  archive.Add("big.bin", NoiseBytes(8 << 20, 2));
  auto files = archive.Catalogue(1);
  ASSERT_NE(files, nullptr);
  std::string list;
  for (int i = 0; i < 257; ++i)
    list += "big.bin\r";
  EXPECT_EQ(files->ComponentSize(list, kInstallDir), INT32_MAX);
}

} // namespace

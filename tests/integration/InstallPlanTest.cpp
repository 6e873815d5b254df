// The install plan: destinations, overwrite policies, logging choices, the
// update list, the forced insert collections and the removal of old images
// by LastRunVer, and the install stamp.
#include "IntegrationHarness.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallPlan.h"
#include "support/ScopedInstallLog.h"

#include <gtest/gtest.h>

namespace {

uint8_t Comps(std::initializer_list<int> comps) {
  uint8_t set = 0;
  for (int c : comps)
    set |= uint8_t(1u << c);
  return set;
}

class InstallPlanTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    files = BuildCatalogue(SampleEntries());
    ASSERT_TRUE(files);
    common = JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\");
    documents = JoinPath(GetSpecialFolder(csidl::kPersonal), "Brevanto\\");
  }

  void Portable() {
    ASSERT_TRUE(m.AddUsbStick());
    state.Options.InstallDir = "E:\\Apps\\Brevanto";
  }

  // Destination and Logged flag of every planned file of a component.
  std::vector<std::pair<std::string, bool>> Planned(int comp) const {
    std::vector<std::pair<std::string, bool>> out;
    for (const TFileToInstall& f : files->FilesToInstall(comp))
      out.emplace_back(f.DestName, f.Logged);
    return out;
  }

  IntegrationMachine m;
  ScopedInstallLog log;
  std::unique_ptr<TAttachedFiles> files;
  TSetupState state;
  std::string common, documents;
};

TEST_F(InstallPlanTest, OnlyTheWordProcessorIsLoggedStampedAndNotListed) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  state.SelectedComps = Comps({0});
  PrepareInstall(state, *files);

  using P = std::vector<std::pair<std::string, bool>>;
  EXPECT_EQ(Planned(0),
            (P{{"C:\\Apps\\Brevanto\\kre.exe", true}, {"C:\\Apps\\Brevanto\\Licence.txt", true}}));
  for (int c = 1; c < kComponentCount; ++c)
    EXPECT_TRUE(Planned(c).empty()) << c;
  EXPECT_TRUE(files->UpdateList().empty());
  EXPECT_TRUE(files->ForceOverwrite);
  EXPECT_EQ(LogSuspendCount, 0);
  EXPECT_EQ(state.InstallTime, kFixedNow);
  EXPECT_EQ(m.Read(common + "Hidden\\install_stamp"),
            std::string("\x00\x00\x00\x00\x90\x1D\xE6\x40", 8));
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Made Dir: " + common, "Made Dir: " + common + "Hidden\\"}));
}

TEST_F(InstallPlanTest, DataFoldersMadeWhileLoggingIsSuspendedAreNotLogged) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  state.SelectedComps = Comps({0, 1, 2, 3, 4, 5, 6});
  PrepareInstall(state, *files);

  const std::string spelling = common + "Public\\Orthographe\\";
  using P = std::vector<std::pair<std::string, bool>>;
  EXPECT_EQ(Planned(1), (P{{spelling + "French.asc", false},
                           {spelling + "français.zlx", false},
                           {spelling + "persodicfr.tlx", false}}));
  EXPECT_EQ(Planned(2), (P{{spelling + "English (American).asc", false},
                           {spelling + "English (American).cache", false},
                           {spelling + "English (British).asc", false},
                           {spelling + "English (British).cache", false},
                           {spelling + "english.zlx", false},
                           {spelling + "us.zlx", false},
                           {spelling + "uk.zlx", false},
                           {spelling + "userdicen.tlx", false}}));
  EXPECT_EQ(files->FilesToInstall(2)[3].AttachedFile->Name, "English (American).cache");
  EXPECT_EQ(Planned(3), (P{{"C:\\Apps\\Brevanto\\Coupe de mots.dat", true}}));
  EXPECT_EQ(Planned(4).size(), 2u);
  EXPECT_FALSE(Planned(4)[0].second);
  EXPECT_EQ(Planned(4)[0].first, common + "Public\\Modèles de document\\Lettre.dot");
  EXPECT_EQ(Planned(5).size(), 3u);
  EXPECT_EQ(Planned(6), (P{{common + "Public\\Basic.asn", true}}));
  EXPECT_FALSE(DestIsFileName);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Made Dir: " + common + "Hidden\\"}));
}

TEST_F(InstallPlanTest, NormalInstallationReplacesUserFilesAndMarksKeptOnesInTheUpdateList) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  state.SelectedComps = Comps({0, 1});
  const std::string spelling = common + "Public\\Orthographe\\";
  m.Write(spelling + "persodicfr.tlx", "mes mots");
  PrepareInstall(state, *files);
  EXPECT_EQ(Planned(1).size(), 3u);
  EXPECT_EQ(files->UpdateList(),
            (std::vector<std::string>{spelling + "French.asc\t!", spelling + "français.zlx",
                                      spelling + "persodicfr.tlx\t!"}));
}

TEST_F(InstallPlanTest, PortableInstallationKeepsExistingFilesAndEqualDates) {
  Portable();
  state.SelectedComps = Comps({0, 1});
  const std::string dir = "E:\\Apps\\Brevanto\\";
  m.Write(dir + "Orthographe\\French.asc", "old");
  m.Write(dir + "Orthographe\\persodicfr.tlx", "mes mots");
  m.Write(dir + "Orthographe\\français.zlx", "old");
  m.Write(dir + "kre.exe", "same date");
  m.Write(dir + "Licence.txt", "other date");
  platform::FileTime entryDate = 0;
  DosDateTime dos{};
  ASSERT_TRUE(DateTimeToDos(SampleEntryDate(), dos));
  ASSERT_TRUE(platform::Current().clock->LocalDosToUtc(dos.date, dos.time, entryDate));
  ASSERT_TRUE(platform::Fs().SetWriteTime(dir + "kre.exe", entryDate));

  PrepareInstall(state, *files);
  using P = std::vector<std::pair<std::string, bool>>;
  EXPECT_FALSE(files->ForceOverwrite);
  EXPECT_EQ(Planned(0), (P{{dir + "Licence.txt", true}}));
  EXPECT_EQ(Planned(1), (P{{dir + "Orthographe\\français.zlx", false}}));
  EXPECT_TRUE(files->UpdateList().empty());
  EXPECT_EQ(state.InstallTime, 0);
  EXPECT_FALSE(m.Exists(dir + "install_stamp"));

  ASSERT_TRUE(platform::Fs().SetWriteTime(dir + "Orthographe\\français.zlx", entryDate));
  PrepareInstall(state, *files);
  EXPECT_TRUE(Planned(1).empty());
}

// The images an old version left under its documents folder (or the stick).
class OldImagesTest : public InstallPlanTest {
protected:
  void PlantImages(const std::string& base) {
    images = base + "Collections d'inserts\\Images\\";
    for (const char* name : {"Coches\\Coche 1.gif", "Coches\\Rouges\\Coche 2.gif",
                             "Puces\\Puce 1.gif", "Puces\\Puce 32.gif", "Puces\\Cible.gif",
                             "Puces\\Puce 33.gif", "Puces\\Puce 01.gif", "Puces\\Losange.gif"})
      m.Write(images + name, "image");
  }

  bool Removed() const {
    const bool gone =
        !platform::Fs().IsFolder(images + "Coches") && !m.Exists(images + "Puces\\Puce 1.gif") &&
        !m.Exists(images + "Puces\\Puce 32.gif") && !m.Exists(images + "Puces\\Cible.gif");
    EXPECT_TRUE(m.Exists(images + "Puces\\Puce 33.gif"));
    EXPECT_TRUE(m.Exists(images + "Puces\\Puce 01.gif"));
    EXPECT_TRUE(m.Exists(images + "Puces\\Losange.gif"));
    return gone;
  }

  bool Kept() const {
    return platform::Fs().IsFolder(images + "Coches") && m.Exists(images + "Puces\\Puce 1.gif") &&
           m.Exists(images + "Puces\\Cible.gif");
  }

  void Prepare(int32_t lastRunVer, bool insertsTicked) {
    state.LastRunVer = lastRunVer;
    state.SelectedComps = insertsTicked ? Comps({0, 5}) : Comps({0});
    PrepareInstall(state, *files);
  }

  std::string images;
};

TEST_F(OldImagesTest, BelowTheFirstThresholdInsertsAreForcedAndImagesRemoved) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  PlantImages(documents);
  Prepare(20003999, false);
  EXPECT_EQ(Planned(5).size(), 3u);
  EXPECT_TRUE(Removed());
}

TEST_F(OldImagesTest, AtTheFirstThresholdUntickedInsertsAreLeftOut) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  PlantImages(documents);
  Prepare(20004000, false);
  EXPECT_TRUE(Planned(5).empty());
  EXPECT_TRUE(Kept());
}

TEST_F(OldImagesTest, TickedInsertsBelowTheSecondThresholdRemoveImages) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  PlantImages(documents);
  Prepare(29999999, true);
  EXPECT_EQ(Planned(5).size(), 3u);
  EXPECT_TRUE(Removed());
}

TEST_F(OldImagesTest, FromTheSecondThresholdOnOrWithoutAVersionImagesStay) {
  state.Options.InstallDir = "C:\\Apps\\Brevanto";
  PlantImages(documents);
  Prepare(30000000, true);
  EXPECT_TRUE(Kept());
  Prepare(2147483647, true);
  EXPECT_EQ(Planned(5).size(), 3u);
  EXPECT_TRUE(Kept());
}

TEST_F(OldImagesTest, PortableInstallationCleansTheStick) {
  Portable();
  PlantImages("E:\\Apps\\Brevanto\\");
  const std::string onStick = images;
  PlantImages(documents);
  Prepare(20003999, false);
  EXPECT_TRUE(Kept());
  images = onStick;
  EXPECT_TRUE(Removed());
}

} // namespace

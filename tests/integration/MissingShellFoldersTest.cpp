// When the system cannot name a special folder, nothing lands in or is
// deleted from the process's current folder: data go to the install folder,
// a shortcut without a folder is not made, and the old-image clean-up is
// skipped.
#include "IntegrationHarness.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/FinishActions.h"
#include "integration/InstallPlan.h"
#include "support/FaultyFiles.h"
#include "support/ScopedInstallLog.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Forwards to the machine's shell, except for the folders it is told to hide.
class HidingShell : public platform::Shell {
public:
  HidingShell(platform::Shell& real, std::set<int> hidden) : real_(real), hidden_(hidden) {}
  std::optional<std::string> FolderPath(int csidl) override {
    if (hidden_.count(csidl))
      return std::nullopt;
    return real_.FolderPath(csidl);
  }
  std::unique_ptr<platform::ShellLink> NewShellLink() override { return real_.NewShellLink(); }

private:
  platform::Shell& real_;
  std::set<int> hidden_;
};

class MissingShellFoldersTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    state.Options.InstallDir = "C:\\Apps\\Brevanto";
    ASSERT_TRUE(platform::Fs().SetCurrentFolder(m.Machine().Base()));
  }

  // Hides the folders until the test ends.
  void Hide(std::set<int> hidden) {
    shell = std::make_unique<HidingShell>(*m.Services().shell, hidden);
    platform::Platform services = m.Services();
    services.shell = shell.get();
    scope = std::make_unique<platform::ScopedPlatform>(services);
  }

  IntegrationMachine m;
  ScopedInstallLog log;
  TSetupState state;
  std::unique_ptr<HidingShell> shell;
  std::unique_ptr<platform::ScopedPlatform> scope;
};

TEST_F(MissingShellFoldersTest, DataGoToTheInstallFolderWhenNoDataFolderIsKnown) {
  Hide({csidl::kCommonAppData, csidl::kPersonal});
  EXPECT_EQ(GetDataFolder(state, dfCommon), "C:\\Apps\\Brevanto\\");
  EXPECT_EQ(GetDataFolder(state, dfPublic), "C:\\Apps\\Brevanto\\");
  EXPECT_EQ(GetDataFolder(state, dfSpelling), "C:\\Apps\\Brevanto\\Orthographe\\");
  EXPECT_TRUE(platform::Fs().IsFolder("C:\\Apps\\Brevanto\\Orthographe"));
}

TEST_F(MissingShellFoldersTest, TheDocumentsFolderStandsInForCommonData) {
  Hide({csidl::kCommonAppData});
  const std::string documents = JoinPath(GetSpecialFolder(csidl::kPersonal), "Brevanto\\");
  EXPECT_EQ(GetDataFolder(state, dfHidden), documents + "Hidden\\");
}

TEST_F(MissingShellFoldersTest, AShortcutWithoutAnyFolderIsNotMade) {
  Hide({csidl::kCommonPrograms, csidl::kPrograms});
  FinishActions(state);
  const std::string link = "Traitement de texte Brevanto.lnk";
  EXPECT_FALSE(m.Exists(m.Machine().Base() + link));
  EXPECT_TRUE(m.Exists(JoinPath(GetSpecialFolder(csidl::kCommonDesktopDirectory), link)));
  for (const std::string& line : log.Lines())
    EXPECT_NE(line, "File Copy: " + link);
}

TEST_F(MissingShellFoldersTest, OldImagesAreNotLookedForInTheCurrentFolder) {
  Hide({csidl::kPersonal});
  FaultyFiles counting;
  std::unique_ptr<TAttachedFiles> files = BuildCatalogue(SampleEntries());
  state.LastRunVer = 20003999;
  state.SelectedComps = 1;
  PrepareInstall(state, *files);
  EXPECT_EQ(files->FilesToInstall(5).size(), 3u);
  EXPECT_EQ(counting.Calls(FileOp::RemoveFile), 0);
  EXPECT_EQ(counting.Calls(FileOp::List), 0);
}

} // namespace

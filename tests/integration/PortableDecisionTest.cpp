// Whether an installation is portable is decided when it starts and kept to
// the end: a USB stick pulled out halfway must not turn a portable
// installation into one that writes an uninstall entry or an install log.
#include "IntegrationHarness.h"

#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"

#include <gtest/gtest.h>

using platform::RegRoot;

namespace {

// The machine's volumes, except that drive E: is gone.
class StickPulledOut : public platform::Volumes {
public:
  explicit StickPulledOut(platform::Volumes& real) : real_(real) {}
  std::optional<platform::DiskGeometry> Geometry(const std::string& root) override {
    return Gone(root) ? std::nullopt : real_.Geometry(root);
  }
  std::optional<int64_t> FreeBytes(const std::string& path) override {
    return Gone(path) ? std::nullopt : real_.FreeBytes(path);
  }
  uint32_t LogicalDrives() override { return real_.LogicalDrives() & ~(1u << ('E' - 'A')); }
  int DriveType(const std::string& root) override {
    return Gone(root) ? drive::kNoRootDir : real_.DriveType(root);
  }
  std::optional<std::string> VolumeLabel(const std::string& root) override {
    return Gone(root) ? std::nullopt : real_.VolumeLabel(root);
  }
  std::optional<std::string> NetworkConnection(const std::string& drive) override {
    return Gone(drive) ? std::nullopt : real_.NetworkConnection(drive);
  }
  std::optional<platform::StorageDevice> QueryStorageDevice(const std::string& drive) override {
    return Gone(drive) ? std::nullopt : real_.QueryStorageDevice(drive);
  }

private:
  static bool Gone(const std::string& path) { return !path.empty() && (path[0] | 0x20) == 'e'; }
  platform::Volumes& real_;
};

class PortableDecisionTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    files = BuildCatalogue(SampleEntries());
    ASSERT_TRUE(files);
  }

  // Runs the worker to its end with the stick in place, then pulls the
  // stick out before the settings and the log are written.
  void InstallAndPullOutBeforeTheEnd(TSetupState& state) {
    std::unique_ptr<TInstallThread> worker = StartInstallation(state, *files);
    RunResult run;
    DriveWorker(*worker, run);
    ASSERT_EQ(InstallStatus.State(), tsStop);
    InstallStatus.SetState(tsIdle);
    platform::Platform pulled = platform::Current();
    StickPulledOut volumes(*pulled.volumes);
    pulled.volumes = &volumes;
    platform::ScopedPlatform scope(pulled);
    ASSERT_FALSE(IsRemovableDrive("E:\\Apps\\Brevanto"));
    AfterWizard(state, worker.get());
  }

  IntegrationMachine m;
  std::unique_ptr<TAttachedFiles> files;
};

TEST_F(PortableDecisionTest, StickPulledOutAfterTheStartWritesNoUninstallEntryAndNoLog) {
  ASSERT_TRUE(m.AddUsbStick());
  TSetupState state;
  ReadRegistrySettings(state, {"-dE:\\Apps\\Brevanto"});
  InstallAndPullOutBeforeTheEnd(state);

  EXPECT_TRUE(IsPortableInstall(state));
  EXPECT_FALSE(m.Value(RegRoot::LocalMachine, kUninstallKey, "DisplayName"));
  EXPECT_FALSE(m.Exists("E:\\Apps\\Brevanto\\Install.log"));
  // The settings themselves are still written, as for any portable run.
  EXPECT_TRUE(m.Value(RegRoot::CurrentUser, kInstallKey, "MAINDIR"));
}

} // namespace

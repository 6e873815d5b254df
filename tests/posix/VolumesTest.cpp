// Drives of the emulated machine: the configuration, what each volume query
// answers, and that another process on the same root sees the same drives.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/Constants.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using platform::posix::Machine;
using platform::posix::ParseMachineConfig;

platform::Volumes& Vol() {
  return *platform::Current().volumes;
}

DriveSpec Spec(char letter, int type) {
  DriveSpec spec;
  spec.letter = letter;
  spec.type = type;
  return spec;
}

DriveSpec Stick() {
  DriveSpec stick = Spec('E', drive::kRemovable);
  stick.bytesPerCluster = 32768;
  stick.freeBytes = int64_t(3) << 30;
  stick.device = platform::StorageDevice{bus::kUsb, true};
  stick.label = "CL\xC9 USB";
  return stick;
}

TEST(Volumes, TheSystemDriveIsAlwaysThereAndFixed) {
  TestMachine machine;
  EXPECT_EQ(Vol().LogicalDrives(), 1u << 2);
  EXPECT_EQ(Vol().DriveType("C:\\"), drive::kFixed);
  const auto geometry = Vol().Geometry("C:\\");
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->sectorsPerCluster * geometry->bytesPerSector, 4096u);
  EXPECT_GT(*Vol().FreeBytes("C:"), 0);
  ASSERT_TRUE(machine.SetSystemClusterSize(16384));
  EXPECT_EQ(Vol().Geometry("C:\\")->sectorsPerCluster, 32u);
}

TEST(Volumes, AConfiguredDriveAnswersEveryQueryFromItsConfiguration) {
  TestMachine machine;
  ASSERT_TRUE(machine.AddDrive(Stick()));
  EXPECT_EQ(Vol().LogicalDrives(), (1u << 2) | (1u << 4));
  EXPECT_EQ(Vol().DriveType("E:\\"), drive::kRemovable);
  EXPECT_EQ(Vol().DriveType("e:"), drive::kRemovable);
  const auto geometry = Vol().Geometry("E:\\");
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->bytesPerSector, 512u);
  EXPECT_EQ(geometry->sectorsPerCluster, 64u);
  EXPECT_EQ(geometry->freeClusters, (3u << 30) / 32768);
  EXPECT_GE(geometry->totalClusters, geometry->freeClusters);
  EXPECT_EQ(Vol().FreeBytes("E:\\Apps\\Brevanto"), int64_t(3) << 30);
  EXPECT_EQ(Vol().VolumeLabel("E:\\"), "CL\xC9 USB");
  const auto device = Vol().QueryStorageDevice("E:");
  ASSERT_TRUE(device);
  EXPECT_EQ(device->busType, bus::kUsb);
  EXPECT_TRUE(device->removableMedia);
  EXPECT_FALSE(Vol().NetworkConnection("E:"));
  EXPECT_TRUE(platform::Fs().CreateFolder("E:\\Apps"));
  EXPECT_TRUE(platform::Fs().IsFolder("e:\\apps"));
}

TEST(Volumes, UnknownDrivesAndNonRootPathsHaveNoRoot) {
  TestMachine machine;
  EXPECT_EQ(Vol().DriveType("Q:\\"), drive::kNoRootDir);
  EXPECT_EQ(Vol().DriveType(""), drive::kNoRootDir);
  EXPECT_EQ(Vol().DriveType("C:\\Windows\\"), drive::kNoRootDir);
  EXPECT_EQ(Vol().DriveType("\\\\server\\share\\"), drive::kNoRootDir);
  EXPECT_FALSE(Vol().Geometry("Q:\\"));
  EXPECT_FALSE(Vol().FreeBytes("Q:"));
  EXPECT_FALSE(Vol().VolumeLabel("Q:\\"));
  EXPECT_FALSE(Vol().QueryStorageDevice("Q:"));
}

TEST(Volumes, ANetworkDriveGivesItsRemoteNameAndADeviceThatCannotBeOpened) {
  TestMachine machine;
  DriveSpec share = Spec('N', drive::kRemote);
  share.remoteName = "\\\\serveur\\partag\xE9";
  ASSERT_TRUE(machine.AddDrive(share));
  EXPECT_EQ(Vol().NetworkConnection("N:"), "\\\\serveur\\partag\xE9");
  EXPECT_FALSE(Vol().QueryStorageDevice("N:"));
  EXPECT_EQ(Vol().VolumeLabel("N:\\"), "");
}

TEST(Volumes, ADriveCanBeUnpluggedAndPluggedBackWithItsFiles) {
  TestMachine machine;
  ASSERT_TRUE(machine.AddDrive(Stick()));
  ASSERT_EQ(platform::Fs().ReplaceFile("E:\\f.txt", "x", 1, nullptr), platform::IoStatus::Ok);
  ASSERT_TRUE(machine.AddDrive(Spec('E', drive::kNoRootDir)));
  EXPECT_EQ(Vol().LogicalDrives(), 1u << 2);
  EXPECT_FALSE(platform::Fs().IsFile("E:\\f.txt"));
  ASSERT_TRUE(machine.AddDrive(Stick()));
  EXPECT_TRUE(platform::Fs().IsFile("E:\\f.txt"));
}

TEST(Volumes, AnotherMachineObjectOnTheSameRootSeesTheSameConfiguration) {
  TestMachine machine;
  ASSERT_TRUE(machine.AddDrive(Stick()));
  Machine other(CurrentEmulatedMachine().Root());
  EXPECT_EQ(other.Services().volumes->DriveType("E:\\"), drive::kRemovable);
  EXPECT_EQ(other.Services().volumes->VolumeLabel("E:\\"), "CL\xC9 USB");

  auto config = other.Config();
  config.version = {2, 5, 0};
  ASSERT_TRUE(other.SaveConfig(config));
  EXPECT_EQ(platform::Current().system->Version().major, 5u);
}

TEST(Volumes, CaseRulesArePreservedAndInsensitiveUnlessConfigured) {
  TestMachine machine;
  DriveSpec fat = Spec('F', drive::kRemovable);
  fat.caseRules = {false, false};
  DriveSpec ext = Spec('G', drive::kFixed);
  ext.caseRules = {true, true};
  ASSERT_TRUE(machine.AddDrive(fat));
  ASSERT_TRUE(machine.AddDrive(ext));
  const auto c = Vol().CaseRules("C:\\");
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->preserved);
  EXPECT_FALSE(c->sensitive);
  ASSERT_TRUE(Vol().CaseRules("f:\\"));
  EXPECT_FALSE(Vol().CaseRules("F:\\")->preserved);
  EXPECT_FALSE(Vol().CaseRules("F:\\")->sensitive);
  EXPECT_TRUE(Vol().CaseRules("G:\\")->sensitive);
  EXPECT_FALSE(Vol().CaseRules("Q:\\"));

  Machine other(CurrentEmulatedMachine().Root());
  EXPECT_FALSE(other.Services().volumes->CaseRules("F:\\")->preserved);
  EXPECT_TRUE(other.Services().volumes->CaseRules("G:\\")->preserved);
  EXPECT_TRUE(other.Services().volumes->CaseRules("G:\\")->sensitive);
}

TEST(MachineConfigText, RoundTripsAndSkipsWhatItCannotRead) {
  auto config = ParseMachineConfig("[machine]\n"
                                   "version = 2 4 0\n"
                                   "failing-folders = 5 nonsense 38\n"
                                   "hklm = read-only\n"
                                   "garbage line\n"
                                   "[drive e]\n"
                                   "type = 2\n"
                                   "cluster = many\n"
                                   "free = 1000\n"
                                   "device = bus 7 removable\n"
                                   "label = Cl\xC3\xA9\n"
                                   "[drive C]\n"
                                   "type = 5\n"
                                   "[drive 7]\n"
                                   "type = 3\n");
  EXPECT_EQ(config.version.major, 4u);
  EXPECT_EQ(config.failingFolders, (std::set<int>{5, 38}));
  EXPECT_TRUE(config.hklmReadOnly);
  ASSERT_TRUE(config.Drive('E'));
  EXPECT_EQ(config.Drive('e')->bytesPerCluster, 4096u);
  EXPECT_EQ(config.Drive('E')->freeBytes, 1000);
  EXPECT_EQ(config.Drive('E')->label, "Cl\xE9");
  EXPECT_EQ(config.Drive('C')->type, drive::kFixed);
  EXPECT_EQ(config.drives.size(), 2u);

  const auto again = ParseMachineConfig(platform::posix::FormatMachineConfig(config));
  EXPECT_EQ(platform::posix::FormatMachineConfig(again),
            platform::posix::FormatMachineConfig(config));
  EXPECT_EQ(again.Drive('E')->device->busType, bus::kUsb);
}

} // namespace

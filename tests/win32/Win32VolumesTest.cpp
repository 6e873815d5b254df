// Drive and volume queries on the real system drive and on a letter that
// names no drive.
#include "platform/Constants.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

platform::Volumes& TheVolumes() {
  return *platform::Native().volumes;
}

// A letter from the end of the alphabet that names no drive, or 0.
char AbsentDriveLetter() {
  const uint32_t drives = TheVolumes().LogicalDrives();
  for (int bit = 24; bit >= 3; --bit)
    if (!(drives & (1u << bit)))
      return char('A' + bit);
  return 0;
}

TEST(Win32Volumes, TheSystemDriveIsAFixedDriveWithClustersAndFreeSpace) {
  EXPECT_TRUE(TheVolumes().LogicalDrives() & (1u << 2));
  EXPECT_EQ(TheVolumes().DriveType("C:\\"), drive::kFixed);
  const auto geometry = TheVolumes().Geometry("C:\\");
  ASSERT_TRUE(geometry);
  EXPECT_GT(geometry->sectorsPerCluster * geometry->bytesPerSector, 0u);
  EXPECT_EQ(geometry->bytesPerSector % 512, 0u);
  const auto free = TheVolumes().FreeBytes("C:\\");
  ASSERT_TRUE(free);
  EXPECT_GT(*free, 0);
  EXPECT_TRUE(TheVolumes().VolumeLabel("C:\\"));
  EXPECT_FALSE(TheVolumes().NetworkConnection("C:"));
  const auto caseRules = TheVolumes().CaseRules("C:\\");
  ASSERT_TRUE(caseRules);
  EXPECT_TRUE(caseRules->preserved) << "NTFS keeps the case of names";
}

TEST(Win32Volumes, TheSystemDriveIsNotARemovableDevice) {
  const auto device = TheVolumes().QueryStorageDevice("C:");
  if (!device)
    GTEST_SKIP() << "the volume device of C: cannot be opened here";
  EXPECT_FALSE(device->removableMedia);
  EXPECT_NE(device->busType, bus::kUsb);
  EXPECT_NE(device->busType, bus::k1394);
}

TEST(Win32Volumes, AnAbsentDriveAnswersNothing) {
  const char letter = AbsentDriveLetter();
  ASSERT_NE(letter, 0);
  const std::string drive = std::string(1, letter) + ":";
  const std::string root = drive + "\\";
  EXPECT_EQ(TheVolumes().DriveType(root), drive::kNoRootDir);
  EXPECT_FALSE(TheVolumes().Geometry(root));
  EXPECT_FALSE(TheVolumes().FreeBytes(root));
  EXPECT_FALSE(TheVolumes().VolumeLabel(root));
  EXPECT_FALSE(TheVolumes().CaseRules(root));
  EXPECT_FALSE(TheVolumes().NetworkConnection(drive));
  EXPECT_FALSE(TheVolumes().QueryStorageDevice(drive));
}

} // namespace

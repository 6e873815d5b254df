// Drive and volume queries on the real system drive and on a letter that
// names no drive.
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/win32/DeviceOpen.h"

#include <gtest/gtest.h>

#include <vector>

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

// The access rights each volume-device open asked for.
std::vector<DWORD> accessAsked;

// A standard user's system: a volume device opened with any access right is
// refused; with none, it opens as it does for anyone.
HANDLE WINAPI StandardUserOpen(LPCSTR name, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model) {
  accessAsked.push_back(access);
  if (access != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileA(name, access, share, security, disposition, flags, model);
}

// The bus of a standard user's USB disk must be readable: the query needs no
// access right, so none is asked for.
TEST(Win32Volumes, TheDeviceQueryAsksForNoAccessRight) {
  const HANDLE direct = CreateFileA("\\\\.\\C:", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  const bool opensHere = direct != INVALID_HANDLE_VALUE;
  if (opensHere)
    CloseHandle(direct);
  accessAsked.clear();
  platform::win32::ReplaceDeviceOpen(StandardUserOpen);
  const auto device = TheVolumes().QueryStorageDevice("C:");
  platform::win32::ReplaceDeviceOpen(nullptr);
  EXPECT_EQ(accessAsked, std::vector<DWORD>{0});
  if (opensHere) {
    EXPECT_TRUE(device) << "opened without rights, the volume answers the query";
  }
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

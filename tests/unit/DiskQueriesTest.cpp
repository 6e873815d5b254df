// Cluster sizes and sizes on disk, file lengths, file dates at DOS
// precision, drive types and the removable-drive test.
#include "instutils/DiskQueries.h"
#include "instutils/DateTime.h"
#include "instutils/InstallLog.h"

#include "platform/Constants.h"
#include "support/FaultyFiles.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

namespace {

// The answers of one volume whose geometry a test chooses; the rest of the
// machine's volumes are asked as usual.
class GeometryVolumes : public platform::Volumes {
public:
  GeometryVolumes(platform::Volumes& inner, std::optional<platform::DiskGeometry> geometry)
      : inner_(inner), geometry_(geometry) {}
  std::optional<platform::DiskGeometry> Geometry(const std::string&) override { return geometry_; }
  std::optional<int64_t> FreeBytes(const std::string& path) override {
    return inner_.FreeBytes(path);
  }
  uint32_t LogicalDrives() override { return inner_.LogicalDrives(); }
  int DriveType(const std::string& root) override { return inner_.DriveType(root); }
  std::optional<std::string> VolumeLabel(const std::string& root) override {
    return inner_.VolumeLabel(root);
  }
  std::optional<std::string> NetworkConnection(const std::string& drive) override {
    return inner_.NetworkConnection(drive);
  }
  std::optional<platform::StorageDevice> QueryStorageDevice(const std::string& drive) override {
    return inner_.QueryStorageDevice(drive);
  }

private:
  platform::Volumes& inner_;
  std::optional<platform::DiskGeometry> geometry_;
};

int32_t ClusterSizeWith(std::optional<platform::DiskGeometry> geometry) {
  GeometryVolumes volumes(*platform::Current().volumes, geometry);
  platform::Platform replacement = platform::Current();
  replacement.volumes = &volumes;
  platform::ScopedPlatform scope(replacement);
  return GetClusterSize("C:\\Program Files\\");
}

DriveSpec Drive(char letter, int type, std::optional<platform::StorageDevice> device = {},
                uint32_t bytesPerCluster = 4096) {
  DriveSpec spec;
  spec.letter = letter;
  spec.type = type;
  spec.device = device;
  spec.bytesPerCluster = bytesPerCluster;
  return spec;
}

// A file length beyond 32 bits, which no test should have to write.
class HugeFiles : public FaultyFiles {
public:
  int64_t FileLength(const std::string&) override { return (int64_t(1) << 32) + 5; }
};

// The UTC file time of a local date-time that a DOS date holds, plus extra
// 100-nanosecond units.
platform::FileTime LocalToUtc(int year, int month, int day, int hour, int minute, int second,
                              uint64_t extra = 0) {
  DosDateTime dos{};
  EXPECT_TRUE(DateTimeToDos(EncodeDateTime(year, month, day, hour, minute, second, 0), dos));
  platform::FileTime utc = 0;
  EXPECT_TRUE(platform::Current().clock->LocalDosToUtc(dos.date, dos.time, utc));
  return utc + extra;
}

} // namespace

TEST(ClusterSize, RoundsSizesUpToWholeClustersOfTheDestinationDrive) {
  TestMachine machine;
  if (!machine.Emulated())
    GTEST_SKIP() << "needs configurable drives";
  ASSERT_TRUE(machine.AddDrive(Drive('E', drive::kFixed, {}, 4096)));
  const std::string dest = "E:\\Programmes\\Brevanto\\"; // does not exist yet
  EXPECT_EQ(GetClusterSize(dest), 4096);
  EXPECT_EQ(SizeOnDisk(dest, 0), 0);
  EXPECT_EQ(SizeOnDisk(dest, 1), 4096);
  EXPECT_EQ(SizeOnDisk(dest, 4096), 4096);
  EXPECT_EQ(SizeOnDisk(dest, 4097), 8192);
  EXPECT_EQ(SizeOnDisk(dest, -1), 4096); // the length of a file that cannot be opened
}

TEST(ClusterSize, IsTheClusterOfTheDriveNamedInAMissingFolder) {
  TestMachine machine;
  if (!machine.Emulated())
    GTEST_SKIP() << "needs configurable drives";
  ASSERT_TRUE(machine.AddDrive(Drive('F', drive::kFixed, {}, 32768)));
  ASSERT_TRUE(machine.SetSystemClusterSize(8192));
  EXPECT_EQ(GetClusterSize("F:\\Nouveau\\Dossier\\"), 32768);
  EXPECT_EQ(GetClusterSize("C:\\Nouveau\\"), 8192);
  EXPECT_EQ(SizeOnDisk("F:\\Nouveau\\", 40000), 65536);
}

TEST(ClusterSize, IsNeverZeroWhenTheVolumeCannotBeAsked) {
  TestMachine machine;
  EXPECT_EQ(ClusterSizeWith(std::nullopt), 4096);
  EXPECT_EQ(ClusterSizeWith(platform::DiskGeometry{0, 512, 1, 1}), 4096);
  EXPECT_EQ(ClusterSizeWith(platform::DiskGeometry{8, 0, 1, 1}), 4096);
  EXPECT_EQ(ClusterSizeWith(platform::DiskGeometry{65536, 65536, 1, 1}), 4096);
  EXPECT_EQ(ClusterSizeWith(platform::DiskGeometry{8, 512, 1, 1}), 4096);
  EXPECT_EQ(ClusterSizeWith(platform::DiskGeometry{64, 512, 1, 1}), 32768);
}

TEST(ClusterSize, SizeOnDiskDoesNotOverflowNearTheLargestSize) {
  TestMachine machine;
  GeometryVolumes volumes(*platform::Current().volumes, platform::DiskGeometry{8, 512, 1, 1});
  platform::Platform replacement = platform::Current();
  replacement.volumes = &volumes;
  platform::ScopedPlatform scope(replacement);
  EXPECT_EQ(SizeOnDisk("C:\\", 2147483647), 2147483647);
}

TEST(GetFileLength, GivesTheLengthOrMinusOneForAMissingFile) {
  TestMachine machine;
  std::string name = machine.Base() + "data.bin";
  ASSERT_TRUE(WriteStringToFile(name, std::string(12345, 'a')));
  EXPECT_EQ(GetFileLength(name), 12345);
  ASSERT_TRUE(WriteStringToFile(name, ""));
  EXPECT_EQ(GetFileLength(name), 0);
  EXPECT_EQ(GetFileLength(machine.Base() + "missing.bin"), -1);
}

TEST(GetFileLength, KeepsOnlyTheLow32BitsOfAHugeFile) {
  TestMachine machine;
  HugeFiles files;
  EXPECT_EQ(GetFileLength(machine.Base() + "huge.bin"), 5);
}

class FileDateTest : public ::testing::Test {
protected:
  TestMachine machine;
  std::string name = machine.Base() + "dated.txt";
  void SetUp() override { ASSERT_TRUE(WriteStringToFile(name, "dated")); }
};

TEST_F(FileDateTest, DropsTheOddSecondAndTheMilliseconds) {
  // 10:15:31.700 local time.
  ASSERT_TRUE(platform::Fs().SetWriteTime(name, LocalToUtc(2021, 6, 15, 10, 15, 30, 17000000)));
  EXPECT_EQ(GetFileWriteDate(name), EncodeDateTime(2021, 6, 15, 10, 15, 30, 0));
}

TEST_F(FileDateTest, EqualsAnArchiveDateTheFileWasGiven) {
  const double dates[] = {EncodeDateTime(2002, 3, 23, 13, 59, 22, 0),
                          EncodeDateTime(1980, 1, 1, 0, 0, 0, 0),
                          EncodeDateTime(2099, 12, 31, 23, 59, 58, 0)};
  for (double date : dates) {
    DosDateTime dos{};
    ASSERT_TRUE(DateTimeToDos(date, dos));
    platform::FileTime utc = 0;
    ASSERT_TRUE(platform::Current().clock->LocalDosToUtc(dos.date, dos.time, utc));
    ASSERT_TRUE(platform::Fs().SetWriteTime(name, utc));
    EXPECT_EQ(GetFileWriteDate(name), date);
  }
}

TEST_F(FileDateTest, IsTheCurrentTimeForAMissingFileOrOneOutsideDosDates) {
  // 1 June 1975, 00:00 UTC: before the first DOS date.
  const platform::FileTime before1980 = 116444736000000000ULL + 1977ULL * 864000000000ULL;
  ASSERT_TRUE(platform::Fs().SetWriteTime(name, before1980));
  double earliest = NowDateTime();
  double missing = GetFileWriteDate(machine.Base() + "missing.txt");
  double tooOld = GetFileWriteDate(name);
  double latest = NowDateTime();
  EXPECT_GE(missing, earliest);
  EXPECT_LE(missing, latest);
  EXPECT_GE(tooOld, earliest);
  EXPECT_LE(tooOld, latest);
}

TEST(RemovableDrive, FollowsTheDriveTypeAndTheBusOfFixedDrives) {
  TestMachine machine;
  if (!machine.Emulated())
    GTEST_SKIP() << "needs configurable drives and devices";
  using platform::StorageDevice;
  const uint8_t kSata = 11;
  const struct {
    DriveSpec spec;
    bool removable;
  } cases[] = {
      {Drive('E', drive::kRemovable), true},
      {Drive('F', drive::kFixed, StorageDevice{bus::kUsb, false}), true},
      {Drive('G', drive::kFixed, StorageDevice{bus::k1394, false}), true},
      {Drive('H', drive::kFixed, StorageDevice{kSata, true}), true},
      {Drive('I', drive::kFixed, StorageDevice{kSata, false}), false},
      {Drive('J', drive::kFixed), false}, // the device cannot be opened
      {Drive('K', drive::kRemote, StorageDevice{bus::kUsb, true}), false},
      {Drive('L', drive::kCdRom, StorageDevice{bus::kUsb, true}), false},
  };
  for (const auto& c : cases)
    ASSERT_TRUE(machine.AddDrive(c.spec)) << c.spec.letter;
  for (const auto& c : cases) {
    std::string path = std::string(1, c.spec.letter) + ":\\Brevanto\\";
    EXPECT_EQ(GetPathDriveType(path), c.spec.type) << path;
    EXPECT_EQ(IsRemovableDrive(path), c.removable) << path;
  }
}

TEST(RemovableDrive, IsFalseForAPathWithoutDrive) {
  TestMachine machine;
  EXPECT_FALSE(IsRemovableDrive("Brevanto\\"));
}

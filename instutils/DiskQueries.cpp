// Cluster sizes and sizes on disk, file lengths, drive types and the
// removable-drive test. Nothing is cached: drives come and go.
#include "instutils/DiskQueries.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

#include <limits>

namespace {

// A volume that cannot be queried still needs a cluster size to divide by.
constexpr int32_t kFallbackClusterSize = 4096;
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

} // namespace

int32_t GetClusterSize(const std::string& path) {
  auto geometry = platform::Current().volumes->Geometry(DrivePart(path) + "\\");
  if (!geometry)
    return kFallbackClusterSize;
  int64_t bytes = int64_t(geometry->sectorsPerCluster) * geometry->bytesPerSector;
  if (bytes <= 0 || bytes > kInt32Max)
    return kFallbackClusterSize;
  return static_cast<int32_t>(bytes);
}

int32_t SizeOnDisk(const std::string& path, int32_t size) {
  return RoundToClusters(size, GetClusterSize(path));
}

// Rounded in 64 bits; a result beyond 32 bits is held at the largest size.
int32_t RoundToClusters(int32_t size, int32_t clusterSize) {
  const int64_t cluster = clusterSize > 0 ? clusterSize : kFallbackClusterSize;
  if (size % cluster == 0)
    return size;
  int64_t rounded = (size / cluster + 1) * cluster;
  return static_cast<int32_t>(rounded > kInt32Max ? kInt32Max : rounded);
}

int32_t GetFileLength(const std::string& name) {
  int64_t length = platform::Fs().FileLength(name);
  if (length < 0)
    return -1;
  return static_cast<int32_t>(static_cast<uint32_t>(length));
}

int GetPathDriveType(const std::string& path) {
  std::string root = DrivePart(path);
  AddTrailingBackslash(root);
  return platform::Current().volumes->DriveType(root);
}

// USB and IEEE 1394 disks often report themselves as fixed drives; the bus
// of the device behind the drive tells them apart from internal disks.
bool IsRemovableDrive(const std::string& path) {
  int type = GetPathDriveType(path);
  if (type == drive::kRemovable)
    return true;
  if (type != drive::kFixed)
    return false;
  auto device = platform::Current().volumes->QueryStorageDevice(DrivePart(path));
  if (!device)
    return false;
  return device->busType == bus::kUsb || device->busType == bus::k1394 || device->removableMedia;
}

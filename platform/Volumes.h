// Drives and volumes: geometry, free space, drive types and the storage
// device behind a drive letter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct DiskGeometry {
  uint32_t sectorsPerCluster;
  uint32_t bytesPerSector;
  uint32_t freeClusters;
  uint32_t totalClusters;
};

// How a volume's file system treats letter case in names.
struct VolumeCase {
  bool preserved; // FS_CASE_IS_PRESERVED: names keep the case they were given
  bool sensitive; // FS_CASE_SENSITIVE: names differing in case are different
};

struct StorageDevice {
  uint8_t busType; // bus:: values
  bool removableMedia;
};

class Volumes {
public:
  virtual ~Volumes() = default;

  // GetDiskFreeSpaceA on a root such as "C:\"; nullopt when it fails.
  virtual std::optional<DiskGeometry> Geometry(const std::string& root) = 0;
  // GetDiskFreeSpaceExA: bytes free to the caller on the volume of path.
  virtual std::optional<int64_t> FreeBytes(const std::string& path) = 0;
  // GetLogicalDrives: bit 0 is A:, bit 2 is C:, ...
  virtual uint32_t LogicalDrives() = 0;
  // GetDriveTypeA of a root such as "E:\" (drive:: values).
  virtual int DriveType(const std::string& root) = 0;
  // GetVolumeInformationA: the volume label; nullopt when it fails.
  virtual std::optional<std::string> VolumeLabel(const std::string& root) = 0;
  // GetVolumeInformationA's file-system flags; nullopt when it fails. Not
  // pure, so that test wrappers written before it answer as a volume that
  // cannot be queried.
  virtual std::optional<VolumeCase> CaseRules(const std::string& root) {
    static_cast<void>(root);
    return std::nullopt;
  }
  // WNetGetConnectionA of a drive such as "E:": the remote name of a mapped drive.
  virtual std::optional<std::string> NetworkConnection(const std::string& drive) = 0;
  // Opens the volume device "\\.\E:" and sends IOCTL_STORAGE_QUERY_PROPERTY
  // (StorageDeviceProperty, PropertyStandardQuery); nullopt when the device
  // cannot be opened or the request fails.
  virtual std::optional<StorageDevice> QueryStorageDevice(const std::string& drive) = 0;
};

} // namespace platform

// Drives and volumes through kernel32, mpr and the storage driver. The
// system's "No disk" box is kept away by the error mode set once at start.
#include "platform/Volumes.h"

#include "platform/win32/DeviceOpen.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Services.h"
#include "platform/win32/SystemDlls.h"

#include <vector>

namespace platform::win32 {
namespace {

// The storage-device query exactly as the removable-drive test defines it:
// a 12-byte query and a zero-filled 548-byte answer whose Size is preset.
constexpr DWORD kDescriptorBufferSize = 548;
static_assert(sizeof(STORAGE_PROPERTY_QUERY) == 12);

DeviceOpenFn deviceOpen = nullptr;

class Win32Volumes : public Volumes {
public:
  std::optional<DiskGeometry> Geometry(const std::string& root) override {
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
      return std::nullopt;
    return DiskGeometry{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
  }

  std::optional<int64_t> FreeBytes(const std::string& path) override {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(path.c_str(), &available, nullptr, nullptr))
      return std::nullopt;
    return static_cast<int64_t>(available.QuadPart);
  }

  uint32_t LogicalDrives() override { return GetLogicalDrives(); }

  int DriveType(const std::string& root) override {
    return static_cast<int>(GetDriveTypeA(root.c_str()));
  }

  std::optional<std::string> VolumeLabel(const std::string& root) override {
    char label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                               nullptr, 0))
      return std::nullopt;
    return std::string(label);
  }

  std::optional<VolumeCase> CaseRules(const std::string& root) override {
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
      return std::nullopt;
    return VolumeCase{(flags & FS_CASE_IS_PRESERVED) != 0, (flags & FS_CASE_SENSITIVE) != 0};
  }

  std::optional<std::string> NetworkConnection(const std::string& drive) override {
    const auto getConnection = NetworkConnectionCall();
    if (!getConnection)
      return std::nullopt;
    std::vector<char> remote(MAX_PATH + 1);
    DWORD length = static_cast<DWORD>(remote.size());
    DWORD result = getConnection(drive.c_str(), remote.data(), &length);
    if (result == ERROR_MORE_DATA) {
      remote.resize(length);
      result = getConnection(drive.c_str(), remote.data(), &length);
    }
    if (result != NO_ERROR)
      return std::nullopt;
    return std::string(remote.data());
  }

  std::optional<StorageDevice> QueryStorageDevice(const std::string& drive) override {
    // No access rights asked: the storage property query needs none, and
    // without administrator rights a volume opened for reading is refused,
    // which would make a standard user's USB disk look internal.
    const std::string device = "\\\\.\\" + drive;
    const DeviceOpenFn open = deviceOpen ? deviceOpen : CreateFileA;
    FileHandle volume(open(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr));
    if (!volume.Valid())
      return std::nullopt;
    STORAGE_PROPERTY_QUERY query = {};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    alignas(STORAGE_DEVICE_DESCRIPTOR) BYTE buffer[kDescriptorBufferSize] = {};
    auto* descriptor = reinterpret_cast<STORAGE_DEVICE_DESCRIPTOR*>(buffer);
    descriptor->Size = kDescriptorBufferSize;
    DWORD returned = 0;
    if (!DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, buffer,
                         kDescriptorBufferSize, &returned, nullptr))
      return std::nullopt;
    return StorageDevice{static_cast<uint8_t>(descriptor->BusType),
                         descriptor->RemovableMedia != FALSE};
  }
};

} // namespace

void ReplaceDeviceOpen(DeviceOpenFn open) {
  deviceOpen = open;
}

Volumes& VolumesService() {
  static Win32Volumes volumes;
  return volumes;
}

} // namespace platform::win32

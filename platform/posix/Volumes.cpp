// Drives and volumes of the emulated machine, as machine.cfg describes them.
// Free space not set in the configuration is the host's real free space.
#include "platform/Constants.h"
#include "platform/posix/Machine.h"
#include "platform/posix/Services.h"

#include <algorithm>
#include <cctype>
#include <sys/statvfs.h>

namespace platform::posix {
namespace {

constexpr uint32_t kBytesPerSector = 512;

// The drive letter a path starts with ("E:", "E:\", "E:\x"), or 0.
char DriveLetterOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(uint8_t(path[0])))
    return 0;
  return char(std::toupper(uint8_t(path[0])));
}

// The letter of a drive root ("E:\" or "E:"), or 0 for anything longer.
char RootLetterOf(const std::string& root) {
  if (root.size() > 3 || (root.size() == 3 && root[2] != '\\' && root[2] != '/'))
    return 0;
  return DriveLetterOf(root);
}

uint32_t Clamp32(uint64_t value) {
  return uint32_t(std::min<uint64_t>(value, UINT32_MAX));
}

class MachineVolumes final : public Volumes {
public:
  explicit MachineVolumes(Machine& machine) : machine_(machine) {}

  std::optional<DiskGeometry> Geometry(const std::string& root) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(DriveLetterOf(root));
    struct statvfs host {};
    if (!drive || !HostVolume(drive->letter, host))
      return std::nullopt;
    const uint32_t cluster = std::max(drive->bytesPerCluster, kBytesPerSector);
    const uint64_t freeClusters = uint64_t(FreeOf(*drive, host)) / cluster;
    const uint64_t hostClusters = uint64_t(host.f_blocks) * host.f_frsize / cluster;
    return DiskGeometry{cluster / kBytesPerSector, kBytesPerSector, Clamp32(freeClusters),
                        Clamp32(std::max(freeClusters, hostClusters))};
  }

  std::optional<int64_t> FreeBytes(const std::string& path) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(DriveLetterOf(path));
    struct statvfs host {};
    if (!drive || !HostVolume(drive->letter, host))
      return std::nullopt;
    return FreeOf(*drive, host);
  }

  uint32_t LogicalDrives() override {
    uint32_t mask = 0;
    for (const auto& [letter, drive] : machine_.Config().drives)
      mask |= 1u << (letter - 'A');
    return mask;
  }

  int DriveType(const std::string& root) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(RootLetterOf(root));
    return drive ? drive->type : drive::kNoRootDir;
  }

  std::optional<std::string> VolumeLabel(const std::string& root) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(RootLetterOf(root));
    if (!drive)
      return std::nullopt;
    return drive->label;
  }

  std::optional<VolumeCase> CaseRules(const std::string& root) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(RootLetterOf(root));
    if (!drive)
      return std::nullopt;
    return drive->caseRules;
  }

  std::optional<std::string> NetworkConnection(const std::string& drivePart) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(RootLetterOf(drivePart));
    if (!drive || drive->type != drive::kRemote || drive->remoteName.empty())
      return std::nullopt;
    return drive->remoteName;
  }

  std::optional<StorageDevice> QueryStorageDevice(const std::string& drivePart) override {
    const MachineConfig config = machine_.Config();
    const DriveConfig* drive = config.Drive(RootLetterOf(drivePart));
    if (!drive)
      return std::nullopt;
    return drive->device;
  }

private:
  bool HostVolume(char letter, struct statvfs& host) {
    return statvfs(machine_.Paths().DriveFolder(letter).c_str(), &host) == 0;
  }

  static int64_t FreeOf(const DriveConfig& drive, const struct statvfs& host) {
    if (drive.freeBytes)
      return std::max<int64_t>(0, *drive.freeBytes);
    return int64_t(uint64_t(host.f_bavail) * host.f_frsize);
  }

  Machine& machine_;
};

} // namespace

std::unique_ptr<Volumes> NewVolumes(Machine& machine) {
  return std::make_unique<MachineVolumes>(machine);
}

} // namespace platform::posix

// The configuration of an emulated machine, kept as text in
// <root>/machine.cfg so that every process started on the same root sees
// the same drives, system version and injected failures.
#pragma once

#include "platform/System.h"
#include "platform/Volumes.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace platform::posix {

struct DriveConfig {
  char letter = 'C'; // upper case
  int type = 3;      // drive:: value
  uint32_t bytesPerCluster = 4096;
  std::optional<int64_t> freeBytes;    // none: the host's free space
  std::optional<StorageDevice> device; // none: the device cannot be opened
  std::string label;                   // cp1252
  std::string remoteName;              // cp1252; network drives
  VolumeCase caseRules{true, false};   // NTFS and FAT32 alike: preserved, insensitive
};

struct MachineConfig {
  OsVersion version{2, 6, 1};
  std::map<char, DriveConfig> drives; // always holds C:, a fixed drive
  std::set<int> failingFolders;       // CSIDLs whose lookup fails
  bool hklmReadOnly = false;          // a user without administrator rights

  // The drive of a letter (either case); null when not configured.
  const DriveConfig* Drive(char letter) const;
};

MachineConfig DefaultMachineConfig();
// Unknown or malformed lines are skipped; C: is always present and fixed.
MachineConfig ParseMachineConfig(const std::string& text);
std::string FormatMachineConfig(const MachineConfig& config);

} // namespace platform::posix

// A fresh machine for one test, in force while the object lives and gone
// afterwards: natively a new emulated machine in a temporary folder; on
// Windows a new folder under the real temporary folder.
#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct DriveSpec {
  char letter;                     // 'D'..'Z'
  int type;                        // drive:: value
  uint32_t bytesPerCluster = 4096; // reported by GetDiskFreeSpaceA
  int64_t freeBytes = int64_t(10) << 30;
  std::optional<platform::StorageDevice> device; // storage-device query answer; none = cannot open
  std::string label;
  std::string remoteName;                      // WNetGetConnectionA answer for network drives
  platform::VolumeCase caseRules{true, false}; // the file system's letter-case flags
};

// A drive of a type with an optional label, everything else as by default.
inline DriveSpec MakeDrive(char letter, int type, const std::string& label = "") {
  DriveSpec spec;
  spec.letter = letter;
  spec.type = type;
  spec.label = label;
  return spec;
}

class TestMachine {
public:
  TestMachine();
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  // A fresh, empty folder for the test, as a Windows path ending in a backslash.
  std::string Base() const;
  // True natively, where drives, clusters and devices can be configured.
  bool Emulated() const;
  // Adds or replaces a drive; false where the machine cannot be configured.
  bool AddDrive(const DriveSpec& spec);
  // Cluster size of drive C: (emulated machines only).
  bool SetSystemClusterSize(uint32_t bytesPerCluster);
  // Where a Windows path of this machine lives on the host file system.
  std::string HostPath(const std::string& windowsPath) const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

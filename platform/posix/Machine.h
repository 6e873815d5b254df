// An emulated Windows machine kept in one host folder, the way a Wine prefix
// keeps one: <root>/drives/c, … for the drive letters, <root>/machine.cfg for
// the drives and the system's answers, <root>/registry for the registry,
// <root>/windows for the top-level windows of running programs. Posix only.
#pragma once

#include "platform/Platform.h"
#include "platform/posix/HostIo.h"
#include "platform/posix/MachineConfig.h"
#include "platform/posix/PathMap.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace platform::posix {

class Machine {
public:
  // Opens the machine at root, creating it (folders, special folders,
  // default configuration) when root holds none yet.
  explicit Machine(std::string root);
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // Every service of this machine.
  const Platform& Services() const { return services_; }
  const std::string& Root() const { return root_; }

  // The configuration in force, read again whenever machine.cfg changes.
  MachineConfig Config();
  // Replaces machine.cfg atomically and creates the folders of its drives.
  bool SaveConfig(const MachineConfig& config);
  // Adds or replaces a drive; a drive of type drive::kNoRootDir is removed
  // instead (its folder and files stay, to come back with it).
  bool SetDrive(const DriveConfig& drive);

  // Where a Windows path of this machine lives on the host; nullopt when it
  // has no drive or its drive is not configured.
  std::optional<std::string> HostPathOf(const std::string& windowsPath);
  PathMap& Paths() { return paths_; }

  // The title given by System::SetApplicationIdentity ("" before).
  std::string ApplicationTitle();
  void SetApplicationTitle(const std::string& title);

private:
  void Create();
  std::shared_ptr<const MachineConfig> Snapshot();
  bool DriveConfigured(char letter);

  std::string root_;
  std::mutex mutex_;
  std::shared_ptr<const MachineConfig> config_;
  FileStamp configStamp_;
  std::string title_;
  PathMap paths_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Volumes> volumes_;
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<Processes> processes_;
  std::unique_ptr<System> system_;
  Platform services_{};
};

// The root of the machine this process runs on: $BREVANTO_MACHINE, else
// $HOME/.brevanto/machine.
std::string NativeMachineRoot();
// The machine behind platform::Native(), opened on first use.
Machine& NativeMachine();

// The Windows path of a special folder (user "user"); nullopt for the CSIDLs
// the machine does not have.
std::optional<std::string> SpecialFolderPath(int csidl);
// The temporary folder reported by Files::TempPath.
inline constexpr const char* kTempPath = "C:\\Users\\user\\AppData\\Local\\Temp\\";

} // namespace platform::posix

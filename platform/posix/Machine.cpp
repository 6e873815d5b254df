// The emulated machine: its folders, its configuration and its services.
#include "platform/posix/Machine.h"

#include "platform/Constants.h"
#include "platform/posix/Services.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <pwd.h>
#include <unistd.h>

namespace platform::posix {
namespace {

namespace fs = std::filesystem;

const std::map<int, std::string>& SpecialFolders() {
  static const std::map<int, std::string> folders = {
      {csidl::kPrograms,
       "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kPersonal, "C:\\Users\\user\\Documents"},
      {csidl::kDesktopDirectory, "C:\\Users\\user\\Desktop"},
      {csidl::kCommonPrograms, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kCommonDesktopDirectory, "C:\\Users\\Public\\Desktop"},
      {csidl::kCommonAppData, "C:\\ProgramData"},
      {csidl::kProgramFiles, "C:\\Program Files"},
  };
  return folders;
}

// The host form of a folder of C: named in plain ASCII, as created at birth.
std::string HostOfSystemFolder(const std::string& root, const std::string& windowsPath) {
  std::string relative = windowsPath.substr(3);
  for (char& c : relative) {
    if (c == '\\')
      c = '/';
  }
  return root + "/drives/c/" + relative;
}

void MakeFolders(const std::string& hostPath) {
  std::error_code ignored;
  fs::create_directories(hostPath, ignored);
}

} // namespace

Machine::Machine(std::string root)
    : root_(std::move(root)),
      paths_(root_ + "/drives", [this](char letter) { return DriveConfigured(letter); }) {
  Create();
  files_ = NewFiles(*this);
  volumes_ = NewVolumes(*this);
  shell_ = NewShell(*this);
  clock_ = NewClock();
  registry_ = NewRegistry(*this);
  processes_ = NewProcesses(*this);
  system_ = NewSystem(*this);
  services_ = Platform{files_.get(),    volumes_.get(),   shell_.get(), clock_.get(),
                       registry_.get(), processes_.get(), system_.get()};
}

Machine::~Machine() = default;

void Machine::Create() {
  MakeFolders(root_ + "/drives/c");
  MakeFolders(root_ + "/registry");
  MakeFolders(root_ + "/windows");
  if (StampOf(root_ + "/machine.cfg").size >= 0)
    return;
  for (const auto& [csidl, path] : SpecialFolders())
    MakeFolders(HostOfSystemFolder(root_, path));
  std::string temp = kTempPath;
  temp.pop_back();
  MakeFolders(HostOfSystemFolder(root_, temp));
  SaveConfig(DefaultMachineConfig());
}

MachineConfig Machine::Config() {
  return *Snapshot();
}

std::shared_ptr<const MachineConfig> Machine::Snapshot() {
  std::lock_guard lock(mutex_);
  const std::string file = root_ + "/machine.cfg";
  const FileStamp stamp = StampOf(file);
  if (!config_ || stamp != configStamp_) {
    const auto text = ReadHostFile(file);
    config_ = std::make_shared<const MachineConfig>(ParseMachineConfig(text.value_or("")));
    configStamp_ = stamp;
  }
  return config_;
}

bool Machine::SaveConfig(const MachineConfig& config) {
  std::lock_guard lock(mutex_);
  for (const auto& [letter, drive] : config.drives)
    MakeFolders(paths_.DriveFolder(letter));
  const std::string file = root_ + "/machine.cfg";
  const std::string text = FormatMachineConfig(config);
  if (WriteHostFileAtomically(file, text.data(), text.size()) != IoStatus::Ok)
    return false;
  config_ = std::make_shared<const MachineConfig>(ParseMachineConfig(text));
  configStamp_ = StampOf(file);
  return true;
}

bool Machine::SetDrive(const DriveConfig& drive) {
  MachineConfig config = Config();
  const char letter = char(std::toupper(uint8_t(drive.letter)));
  if (letter < 'A' || letter > 'Z' || letter == 'C')
    return false;
  if (drive.type == drive::kNoRootDir) {
    config.drives.erase(letter);
  } else {
    config.drives[letter] = drive;
    config.drives[letter].letter = letter;
  }
  return SaveConfig(config);
}

// C: always exists (the configuration cannot remove it), so the paths of C:
// need not look at machine.cfg; the other drives may come and go at any time.
bool Machine::DriveConfigured(char letter) {
  if (std::toupper(uint8_t(letter)) == 'C')
    return true;
  return Snapshot()->Drive(letter) != nullptr;
}

std::optional<std::string> Machine::HostPathOf(const std::string& windowsPath) {
  const auto resolved = paths_.Resolve(windowsPath);
  if (!resolved)
    return std::nullopt;
  return resolved->host;
}

std::string Machine::ApplicationTitle() {
  std::lock_guard lock(mutex_);
  return title_;
}

void Machine::SetApplicationTitle(const std::string& title) {
  std::lock_guard lock(mutex_);
  title_ = title;
}

std::optional<std::string> SpecialFolderPath(int csidl) {
  const auto found = SpecialFolders().find(csidl);
  if (found == SpecialFolders().end())
    return std::nullopt;
  return found->second;
}

std::string NativeMachineRoot() {
  const char* configured = std::getenv("BREVANTO_MACHINE");
  if (configured && *configured)
    return configured;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : "/tmp";
  }
  return std::string(home) + "/.brevanto/machine";
}

Machine& NativeMachine() {
  // Never destroyed: services may still be in use by threads at exit.
  static Machine* machine = new Machine(NativeMachineRoot());
  return *machine;
}

} // namespace platform::posix

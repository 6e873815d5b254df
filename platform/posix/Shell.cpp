// Shell services of the emulated machine: the special folders at their
// Windows default places inside C:, and shell links saved as scripts.
#include "platform/posix/Machine.h"
#include "platform/posix/Services.h"
#include "platform/posix/ShellLinkFile.h"

#include <sys/stat.h>

namespace platform::posix {
namespace {

class ScriptShellLink final : public ShellLink {
public:
  explicit ScriptShellLink(Machine& machine) : machine_(machine) {}

  void SetPath(const std::string& target) override { info_.target = target; }
  void SetWorkingDirectory(const std::string& folder) override { info_.workingDirectory = folder; }
  void SetDescription(const std::string& text) override { info_.description = text; }

  bool Save(const std::string& linkFile) override {
    const std::string script =
        FormatShellLinkScript(info_, HostOf(info_.target), HostOf(info_.workingDirectory));
    Files& files = *machine_.Services().files;
    if (files.ReplaceFile(linkFile, script.data(), script.size(), nullptr) != IoStatus::Ok)
      return false;
    const std::string host = HostOf(linkFile);
    return !host.empty() && chmod(host.c_str(), 0755) == 0;
  }

private:
  std::string HostOf(const std::string& windowsPath) {
    return machine_.HostPathOf(windowsPath).value_or("");
  }

  Machine& machine_;
  ShellLinkInfo info_;
};

class MachineShell final : public Shell {
public:
  explicit MachineShell(Machine& machine) : machine_(machine) {}

  std::optional<std::string> FolderPath(int csidl) override {
    if (machine_.Config().failingFolders.count(csidl))
      return std::nullopt;
    return SpecialFolderPath(csidl);
  }

  std::unique_ptr<ShellLink> NewShellLink() override {
    return std::make_unique<ScriptShellLink>(machine_);
  }

private:
  Machine& machine_;
};

} // namespace

std::unique_ptr<Shell> NewShell(Machine& machine) {
  return std::make_unique<MachineShell>(machine);
}

} // namespace platform::posix

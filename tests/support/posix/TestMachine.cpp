// A fresh emulated machine per test, in a temporary folder removed afterwards.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::posix::Machine;

std::vector<Machine*>& LiveMachines() {
  static std::vector<Machine*> machines;
  return machines;
}

std::string NewRoot() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/brevanto-machine-XXXXXX";
  if (!mkdtemp(pattern.data()))
    std::abort();
  return pattern;
}

// Removes the tree even where a test took write permission away.
void RemoveTree(const std::string& root) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(root, ec);
}

} // namespace

struct TestMachine::Impl {
  std::string root = NewRoot();
  Machine machine{root};
  platform::ScopedPlatform scope{machine.Services()};
};

TestMachine::TestMachine() : impl_(std::make_unique<Impl>()) {
  impl_->machine.Services().files->CreateFolder("C:\\t");
  LiveMachines().push_back(&impl_->machine);
}

TestMachine::~TestMachine() {
  LiveMachines().pop_back();
  const std::string root = impl_->root;
  impl_.reset();
  RemoveTree(root);
}

std::string TestMachine::Base() const {
  return "C:\\t\\";
}

bool TestMachine::Emulated() const {
  return true;
}

bool TestMachine::AddDrive(const DriveSpec& spec) {
  platform::posix::DriveConfig drive;
  drive.letter = spec.letter;
  drive.type = spec.type;
  drive.bytesPerCluster = spec.bytesPerCluster;
  drive.freeBytes = spec.freeBytes;
  drive.device = spec.device;
  drive.label = spec.label;
  drive.remoteName = spec.remoteName;
  drive.caseRules = spec.caseRules;
  return impl_->machine.SetDrive(drive);
}

bool TestMachine::SetSystemClusterSize(uint32_t bytesPerCluster) {
  auto config = impl_->machine.Config();
  config.drives['C'].bytesPerCluster = bytesPerCluster;
  return impl_->machine.SaveConfig(config);
}

std::string TestMachine::HostPath(const std::string& windowsPath) const {
  return impl_->machine.HostPathOf(windowsPath).value_or("");
}

Machine& CurrentEmulatedMachine() {
  if (LiveMachines().empty())
    std::abort();
  return *LiveMachines().back();
}

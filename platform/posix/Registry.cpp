// The registry of the emulated machine: one .reg text store per hive in
// <root>/registry (HKCU.reg, HKLM.reg), read again when another process has
// replaced it, and saved atomically after every change under a lock file so
// that processes sharing the machine do not lose each other's changes.
#include "platform/Constants.h"
#include "platform/posix/HostIo.h"
#include "platform/posix/Machine.h"
#include "platform/posix/RegStore.h"
#include "platform/posix/Services.h"

#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>
#include <unordered_set>

namespace platform::posix {
namespace {

// An exclusive lock on the registry folder's lock file, across processes.
class FolderLock {
public:
  explicit FolderLock(const std::string& lockFile)
      : fd_(open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ >= 0)
      flock(fd_, LOCK_EX);
  }
  ~FolderLock() {
    if (fd_ >= 0)
      close(fd_); // releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

private:
  int fd_;
};

struct Store {
  std::string file;
  Hive hive;
  FileStamp stamp;
  bool loaded = false;
};

struct OpenKey {
  RegRoot root;
  std::string path;
};

class MachineRegistry final : public Registry {
public:
  explicit MachineRegistry(Machine& machine)
      : machine_(machine), folder_(machine.Root() + "/registry"), user_{folder_ + "/HKCU.reg",
                                                                        Hive("HKEY_CURRENT_USER"),
                                                                        {},
                                                                        false},
        system_{folder_ + "/HKLM.reg", Hive("HKEY_LOCAL_MACHINE"), {}, false} {}

  ~MachineRegistry() override {
    for (OpenKey* key : open_)
      delete key;
  }

  Key CreateKey(RegRoot root, Key parent, const std::string& subKey) override {
    std::lock_guard lock(mutex_);
    const OpenKey* base = parent ? Valid(parent) : nullptr;
    if (parent && !base)
      return nullptr;
    const RegRoot hive = base ? base->root : root;
    if ((hive == RegRoot::LocalMachine && machine_.Config().hklmReadOnly) ||
        !IsValidKeyPath(subKey))
      return nullptr;
    std::string path = base ? base->path : "";
    if (!subKey.empty())
      path += (path.empty() ? "" : "\\") + subKey;
    FolderLock folderLock(folder_ + "/.lock");
    Store& store = Loaded(hive);
    bool created = false;
    RegKey& key = store.hive.Create(path, created);
    if (created && !Save(store))
      return nullptr;
    OpenKey* handle = new OpenKey{hive, key.path};
    open_.insert(handle);
    return handle;
  }

  bool QueryValue(Key key, const std::string& name, uint32_t* type, std::string* data) override {
    std::lock_guard lock(mutex_);
    const OpenKey* handle = Valid(key);
    RegKey* regKey = handle ? Loaded(handle->root).hive.Find(handle->path) : nullptr;
    if (!regKey)
      return false;
    const auto found = regKey->values.find(UpperKey(name));
    if (found == regKey->values.end())
      return false;
    if (type)
      *type = found->second.type;
    if (data)
      *data = found->second.data;
    return true;
  }

  bool SetValue(Key key, const std::string& name, uint32_t type, const std::string& data) override {
    std::lock_guard lock(mutex_);
    const OpenKey* handle = Valid(key);
    if (!handle)
      return false;
    FolderLock folderLock(folder_ + "/.lock");
    Store& store = Loaded(handle->root);
    bool created = false;
    RegKey& regKey = store.hive.Create(handle->path, created);
    RegValue& value = regKey.values[UpperKey(name)];
    if (value.name.empty())
      value.name = name;
    value.type = type;
    value.data = data;
    return Save(store);
  }

  void CloseKey(Key key) override {
    std::lock_guard lock(mutex_);
    OpenKey* handle = Valid(key);
    open_.erase(handle);
    delete handle;
  }

private:
  OpenKey* Valid(Key key) {
    auto* handle = static_cast<OpenKey*>(key);
    return open_.count(handle) ? handle : nullptr;
  }

  // The hive as stored now: read again when the file changed since it was
  // last read or written here.
  Store& Loaded(RegRoot root) {
    Store& store = root == RegRoot::CurrentUser ? user_ : system_;
    const FileStamp stamp = StampOf(store.file);
    if (store.loaded && stamp == store.stamp)
      return store;
    const auto text = ReadHostFile(store.file);
    const std::string rootName =
        root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
    store.hive = Hive::Parse(rootName, text.value_or(""));
    store.stamp = stamp;
    store.loaded = true;
    return store;
  }

  bool Save(Store& store) {
    const std::string text = store.hive.Format();
    if (WriteHostFileAtomically(store.file, text.data(), text.size()) != IoStatus::Ok) {
      store.loaded = false; // the next use reads back what is really stored
      return false;
    }
    store.stamp = StampOf(store.file);
    return true;
  }

  Machine& machine_;
  std::string folder_;
  std::mutex mutex_;
  Store user_;
  Store system_;
  std::unordered_set<OpenKey*> open_;
};

} // namespace

std::unique_ptr<Registry> NewRegistry(Machine& machine) {
  return std::make_unique<MachineRegistry>(machine);
}

} // namespace platform::posix

// The registry through advapi32; keys are created when opened.
#include "platform/Registry.h"

#include "platform/win32/Services.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {
namespace {

HKEY BaseKey(RegRoot root, Registry::Key parent) {
  if (parent)
    return static_cast<HKEY>(parent);
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32Registry : public Registry {
public:
  Key CreateKey(RegRoot root, Key parent, const std::string& subKey) override {
    HKEY key = nullptr;
    if (RegCreateKeyExA(BaseKey(root, parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return nullptr;
    return key;
  }

  bool QueryValue(Key key, const std::string& name, uint32_t* type, std::string* data) override {
    if (!key)
      return false;
    const HKEY hkey = static_cast<HKEY>(key);
    DWORD valueType = REG_NONE, size = 0;
    LONG result = RegQueryValueExA(hkey, name.c_str(), nullptr, &valueType, nullptr, &size);
    if (result != ERROR_SUCCESS)
      return false;
    if (data) {
      // The value may grow between the size query and the read.
      do {
        data->resize(size);
        result = RegQueryValueExA(hkey, name.c_str(), nullptr, &valueType,
                                  reinterpret_cast<BYTE*>(data->data()), &size);
      } while (result == ERROR_MORE_DATA);
      if (result != ERROR_SUCCESS)
        return false;
      data->resize(size);
    }
    if (type)
      *type = valueType;
    return true;
  }

  bool SetValue(Key key, const std::string& name, uint32_t type, const std::string& data) override {
    if (!key)
      return false;
    return RegSetValueExA(static_cast<HKEY>(key), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  void CloseKey(Key key) override {
    if (key)
      RegCloseKey(static_cast<HKEY>(key));
  }
};

} // namespace

Registry& RegistryService() {
  static Win32Registry registry;
  return registry;
}

} // namespace platform::win32

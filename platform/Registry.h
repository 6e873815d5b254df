// The registry: keys created on open, values read and written as raw bytes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class RegRoot { CurrentUser, LocalMachine };

class Registry {
public:
  using Key = void*; // an open key; nullptr means none

  virtual ~Registry() = default;

  // RegCreateKeyExA(parent or root, subKey, 0, NULL, REG_OPTION_NON_VOLATILE,
  // KEY_ALL_ACCESS, NULL): the key, created when missing; nullptr on failure.
  virtual Key CreateKey(RegRoot root, Key parent, const std::string& subKey) = 0;
  // RegQueryValueExA: true when the value exists; fills type and data (raw
  // bytes, a string's terminating NUL included) when they are given.
  virtual bool QueryValue(Key key, const std::string& name, uint32_t* type, std::string* data) = 0;
  // RegSetValueExA with the given type and raw bytes.
  virtual bool SetValue(Key key, const std::string& name, uint32_t type,
                        const std::string& data) = 0;
  // RegCloseKey.
  virtual void CloseKey(Key key) = 0;
};

} // namespace platform

// The registry access layer of the settings and the uninstall entry: one
// open key at a time under a chosen root, keys created on opening, failures
// silent (a key that cannot be opened reads as empty and loses its writes).
#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>

class TRegistry {
public:
  TRegistry(); // works on HKEY_CURRENT_USER
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Switches the root; closes the open key.
  void SetRootKey(platform::RegRoot root);
  // Opens path, creating it when missing. A path beginning with "\" starts at
  // the root, any other at the open key (or the root when none is open).
  // When the key cannot be opened, no key is open afterwards.
  void OpenKey(const std::string& path);
  void CloseKey();
  bool HasOpenKey() const { return key_ != nullptr; }

  // The string of a REG_SZ or REG_EXPAND_SZ value, cut at its first NUL;
  // nullopt when absent or of another type.
  std::optional<std::string> ReadString(const std::string& name) const;
  // The integer of a 4-byte REG_DWORD value; nullopt when absent, of another
  // type or of another size.
  std::optional<int32_t> ReadInteger(const std::string& name) const;
  // ReadInteger, non-zero being true.
  std::optional<bool> ReadBool(const std::string& name) const;

  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);
  void WriteBool(const std::string& name, bool value);

private:
  platform::RegRoot root_ = platform::RegRoot::CurrentUser;
  platform::Registry::Key key_ = nullptr;
};

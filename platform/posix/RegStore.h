// One registry hive in memory, and its text form: the .reg export format
// ("Windows Registry Editor Version 5.00"), UTF-8. Key paths and value names
// are found ignoring cp1252 case and kept as first written.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace platform::posix {

struct RegValue {
  std::string name; // cp1252; "" is the key's default value
  uint32_t type = 0;
  std::string data; // raw bytes
};

struct RegKey {
  std::string path;                       // below the hive's root, cp1252, '\' separated
  std::map<std::string, RegValue> values; // by upper-case name
};

// True for "" and for names joined by single backslashes, none empty.
bool IsValidKeyPath(const std::string& path);

class Hive {
public:
  // rootName: "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
  explicit Hive(std::string rootName) : rootName_(std::move(rootName)) {}

  // The key at path (a relative key path without empty components); null when absent.
  RegKey* Find(const std::string& path);
  // The key at path, created with its missing parents; created tells whether
  // anything was added.
  RegKey& Create(const std::string& path, bool& created);

  std::string Format() const;
  // Lines that cannot be read, and sections of other roots, are skipped.
  static Hive Parse(const std::string& rootName, const std::string& text);

private:
  std::string rootName_;
  std::map<std::string, RegKey> keys_; // by upper-case path
};

} // namespace platform::posix

// Process-wide system services: the version gate, the system message box,
// the application's identity and the object model.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct OsVersion {
  uint32_t platformId; // 2 is VER_PLATFORM_WIN32_NT
  uint32_t major;
  uint32_t minor;
};

enum class MessageIcon { Exclamation, Error, Information };

class System {
public:
  virtual ~System() = default;

  // GetVersionExA.
  virtual OsVersion Version() = 0;
  // MessageBoxA with no owner and MB_OK; caption may be null (the system's
  // default caption). Returns when dismissed.
  virtual void ShowMessageBox(const std::string& text, const char* caption, MessageIcon icon) = 0;
  // Gives the application its icon group 1 and its title (task-bar entry).
  virtual void SetApplicationIdentity(const std::string& title) = 0;
  // OleInitialize / OleUninitialize on the calling thread.
  virtual void InitObjectModel() = 0;
  virtual void UninitObjectModel() = 0;
};

} // namespace platform

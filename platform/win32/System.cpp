// Process-wide services: the version gate, the system message box, the
// application's identity and the object model.
#include "platform/System.h"

#include "platform/win32/AppWindow.h"
#include "platform/win32/Services.h"

namespace platform::win32 {
namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
  case MessageIcon::Error:
    return MB_ICONERROR;
  case MessageIcon::Information:
    return MB_ICONINFORMATION;
  case MessageIcon::Exclamation:
    break;
  }
  return MB_ICONEXCLAMATION;
}

class Win32System : public System {
public:
  // Zeros when the query fails, which the version gate refuses.
  OsVersion Version() override {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
      return OsVersion{0, 0, 0};
    return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
  }

  void ShowMessageBox(const std::string& text, const char* caption, MessageIcon icon) override {
    MessageBoxA(nullptr, text.c_str(), caption, MB_OK | IconStyle(icon));
  }

  void SetApplicationIdentity(const std::string& title) override {
    const HWND window = ApplicationWindow();
    if (!window)
      return;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ApplicationIcon()));
    SetWindowTextA(window, title.c_str());
  }

  void InitObjectModel() override { OleInitialize(nullptr); }
  void UninitObjectModel() override { OleUninitialize(); }
};

} // namespace

System& SystemService() {
  static Win32System system;
  return system;
}

} // namespace platform::win32

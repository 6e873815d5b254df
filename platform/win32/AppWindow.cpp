// The hidden application window that carries the program's title and icon.
#include "platform/win32/AppWindow.h"

#include <utility>

namespace platform::win32 {
namespace {

class OwnedWindow {
public:
  explicit OwnedWindow(HWND window) : window_(window) {}
  ~OwnedWindow() {
    if (window_)
      DestroyWindow(window_);
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  HWND Get() const { return window_; }

private:
  HWND window_;
};

HWND CreateApplicationWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hIcon = ApplicationIcon();
  windowClass.lpszClassName = kApplicationWindowClass;
  if (!RegisterClassA(&windowClass))
    return nullptr;
  return CreateWindowExA(0, kApplicationWindowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
                         0, 0, nullptr, nullptr, instance, nullptr);
}

} // namespace

HWND ApplicationWindow() {
  static const OwnedWindow window(CreateApplicationWindow());
  return window.Get();
}

HICON ApplicationIcon() {
  return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
}

} // namespace platform::win32

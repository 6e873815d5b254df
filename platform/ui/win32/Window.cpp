// The window procedure trampoline of the view's own windows.
#include "platform/ui/win32/Window.h"

#include "platform/ui/win32/WideText.h"

namespace ui::win32 {

TWindow::~TWindow() {
  if (!hwnd_)
    return;
  // The derived object is gone already: the last messages go to DefWindowProc.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool TWindow::RegisterWindowClass(const char* className, HICON icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring name = WideOf(className);
  WNDCLASSW existing;
  if (GetClassInfoW(instance, name.c_str(), &existing))
    return true;
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  return RegisterClassW(&windowClass) != 0;
}

HWND TWindow::Create(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                     int y, int width, int height, HWND parent) {
  return CreateWindowExW(exStyle, WideOf(className).c_str(), WideOf(text).c_str(), style, x, y,
                         width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK TWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<TWindow*>(create->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self)
    return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  try {
    if (self->HandleMessage(message, wParam, lParam, result))
      return result;
  } catch (...) {
    // Nothing may unwind through USER32; the message takes its default handling.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace ui::win32

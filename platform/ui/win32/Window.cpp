// The window procedure trampoline of the view's own windows.
#include "platform/ui/win32/Window.h"

namespace ui::win32 {

TWindow::~TWindow() {
  if (!hwnd_)
    return;
  // The derived object is gone already: the last messages go to DefWindowProc.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool TWindow::RegisterWindowClass(const char* className, HICON icon) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, className, &existing))
    return true;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  return RegisterClassA(&windowClass) != 0;
}

HWND TWindow::Create(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                     int y, int width, int height, HWND parent) {
  return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                         GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK TWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<TWindow*>(create->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self)
    return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  try {
    if (self->HandleMessage(message, wParam, lParam, result))
      return result;
  } catch (...) {
    // Nothing may unwind through USER32; the message takes its default handling.
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace ui::win32

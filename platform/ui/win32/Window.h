// Base of the view's own windows, Unicode windows (their texts are converted
// by the caller, see WideText.h): one window procedure routes every message
// to the object stored in GWLP_USERDATA at creation, and no exception
// crosses back into USER32.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

class TWindow {
public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return hwnd_; }

protected:
  // True when the message was handled, with its result in result.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

  // Registers a class of this procedure once per process; false on failure.
  static bool RegisterWindowClass(const char* className, HICON icon);
  // Creates the window of this object; null on failure.
  HWND Create(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
              int width, int height, HWND parent);

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

} // namespace ui::win32

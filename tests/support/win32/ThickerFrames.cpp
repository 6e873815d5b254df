// Top-level windows subclassed at creation, through a CBT hook of the thread.
#include "support/win32/ThickerFrames.h"

#include <algorithm>

namespace {

constexpr wchar_t kOriginal[] = L"ThickerFrames.Original";

LRESULT CALLBACK ThickerFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginal));
  const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
  if (message == WM_NCCALCSIZE) {
    // With wParam, the first of NCCALCSIZE_PARAMS' rectangles; else the one rectangle.
    RECT& client = *reinterpret_cast<RECT*>(lParam);
    client.top = std::min(client.top + TThickerFrames::Extra, client.bottom);
    client.right = std::max(client.right - TThickerFrames::Extra, client.left);
  }
  if (message == WM_NCDESTROY)
    RemovePropW(window, kOriginal);
  return result;
}

LRESULT CALLBACK OnCreate(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (!(create.style & WS_CHILD)) {
      SetPropW(window, kOriginal,
               reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ThickerFrame));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TThickerFrames::TThickerFrames()
    : hook_(SetWindowsHookExW(WH_CBT, &OnCreate, nullptr, GetCurrentThreadId())) {}

TThickerFrames::~TThickerFrames() {
  if (hook_)
    UnhookWindowsHookEx(hook_);
}

// System functions newer than the oldest system the program must load on
// (Windows NT 4.0, to refuse it) that the view uses when present: one table,
// each looked up once at run time from a module loaded by its full system
// path (or from user32, which the program imports anyway), so that the import
// table lists only what the oldest supported system exports.
// Every entry is null where the system lacks it; callers check.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

struct TDynamicCalls {
  // uxtheme.dll (Windows XP): the visual styles.
  using HTHEME = HANDLE;
  HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  BOOL(WINAPI* IsAppThemed)() = nullptr;
  HRESULT(WINAPI* GetThemeBackgroundContentRect)
  (HTHEME, HDC, int, int, const RECT*, RECT*) = nullptr;
  // user32.dll (Windows Vista): the reason shown while the session end waits.
  BOOL(WINAPI* ShutdownBlockReasonCreate)(HWND, LPCWSTR) = nullptr;
  BOOL(WINAPI* ShutdownBlockReasonDestroy)(HWND) = nullptr;
  // user32.dll (Windows 98 and 2000; NT 4.0 lacks them): the monitors.
  HMONITOR(WINAPI* MonitorFromWindow)(HWND, DWORD) = nullptr;
  HMONITOR(WINAPI* MonitorFromPoint)(POINT, DWORD) = nullptr;
  BOOL(WINAPI* GetMonitorInfoW)(HMONITOR, MONITORINFO*) = nullptr;
  // user32.dll (Windows 10, version 1607): the DPI of a window's monitor,
  // and the caption, frame and metrics at a DPI.
  UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
  BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
  // user32.dll (Windows 10, version 1703): the dialog manager's own scaling
  // of a dialog and of its controls when the DPI changes.
  BOOL(WINAPI* SetDialogDpiChangeBehavior)(HWND, int mask, int values) = nullptr;
  BOOL(WINAPI* SetDialogControlDpiChangeBehavior)(HWND, int mask, int values) = nullptr;
  // comctl32.dll (version 6, Windows Vista): an icon at the size asked.
  HRESULT(WINAPI* LoadIconWithScaleDown)(HINSTANCE, LPCWSTR, int, int, HICON*) = nullptr;
};

// The table, filled on first use and kept for the life of the process.
const TDynamicCalls& DynamicCalls();

// Draws a part of the current visual style (uxtheme's DrawThemeBackground of
// the class list for the window); false when no theme is active or uxtheme is
// missing, and the caller draws the classic look.
// content, when given, receives the part's content rectangle (inside its
// border), for the caller to fill.
bool DrawThemedPart(HWND window, const wchar_t* classList, int part, int state, HDC dc,
                    const RECT& rect, RECT* content = nullptr);

// Registers the common controls the view uses (the progress bar; with
// version 6 the standard controls' themed classes too): InitCommonControlsEx
// where comctl32 has it (4.70 and later), else InitCommonControls.
void InitCommonControlsOfThisSystem();

} // namespace ui::win32

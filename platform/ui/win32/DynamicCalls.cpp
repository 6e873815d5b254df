// The run-time lookups of the view's newer system functions, and the
// common controls' initialisation (InitCommonControlsEx, comctl32 4.70 and later).
#include "platform/ui/win32/DynamicCalls.h"

#include "platform/win32/SystemDlls.h"

#include <commctrl.h>

namespace ui::win32 {
namespace {

template <typename Fn> void Look(Fn& slot, HMODULE module, const char* name) {
  slot = platform::win32::ProcAddress<Fn>(module, name);
}

TDynamicCalls LookUp() {
  TDynamicCalls calls;
  const HMODULE uxtheme = platform::win32::LoadSystemDll("uxtheme.dll");
  Look(calls.OpenThemeData, uxtheme, "OpenThemeData");
  Look(calls.CloseThemeData, uxtheme, "CloseThemeData");
  Look(calls.DrawThemeBackground, uxtheme, "DrawThemeBackground");
  Look(calls.IsAppThemed, uxtheme, "IsAppThemed");
  Look(calls.GetThemeBackgroundContentRect, uxtheme, "GetThemeBackgroundContentRect");
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  Look(calls.ShutdownBlockReasonCreate, user32, "ShutdownBlockReasonCreate");
  Look(calls.ShutdownBlockReasonDestroy, user32, "ShutdownBlockReasonDestroy");
  Look(calls.GetDpiForWindow, user32, "GetDpiForWindow");
  Look(calls.AdjustWindowRectExForDpi, user32, "AdjustWindowRectExForDpi");
  Look(calls.GetSystemMetricsForDpi, user32, "GetSystemMetricsForDpi");
  Look(calls.SetDialogDpiChangeBehavior, user32, "SetDialogDpiChangeBehavior");
  Look(calls.SetDialogControlDpiChangeBehavior, user32, "SetDialogControlDpiChangeBehavior");
  // The copy the manifest chose, loaded with the program.
  Look(calls.LoadIconWithScaleDown, GetModuleHandleA("comctl32.dll"), "LoadIconWithScaleDown");
  Look(calls.MonitorFromWindow, user32, "MonitorFromWindow");
  Look(calls.MonitorFromPoint, user32, "MonitorFromPoint");
  Look(calls.GetMonitorInfoW, user32, "GetMonitorInfoW");
  return calls;
}

using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
// DLLVERSIONINFO, as comctl32's DllGetVersion fills it.
struct TDllVersion {
  DWORD Size;
  DWORD Major;
  DWORD Minor;
  DWORD Build;
  DWORD Platform;
};
using DllGetVersionFn = HRESULT(CALLBACK*)(TDllVersion*);

// The major version of the common controls in use; 4 where comctl32 cannot
// tell (DllGetVersion appeared with 4.71).
DWORD CommonControlsVersion(HMODULE comctl32) {
  const auto getVersion = platform::win32::ProcAddress<DllGetVersionFn>(comctl32, "DllGetVersion");
  TDllVersion version = {sizeof version, 0, 0, 0, 0};
  if (!getVersion || FAILED(getVersion(&version)))
    return 4;
  return version.Major;
}

// The classes InitCommonControlsEx is asked for with the common controls of
// that major version: the standard classes are a class set of version 6 only,
// and older versions refuse a set they do not know.
DWORD CommonControlClasses(DWORD majorVersion) {
  return majorVersion >= 6 ? ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES : ICC_PROGRESS_CLASS;
}

} // namespace

void InitCommonControlsOfThisSystem() {
  // The copy the manifest chose is the one loaded with the program.
  const HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
  const auto initEx =
      platform::win32::ProcAddress<InitCommonControlsExFn>(comctl32, "InitCommonControlsEx");
  if (initEx) {
    const INITCOMMONCONTROLSEX classes = {sizeof classes,
                                          CommonControlClasses(CommonControlsVersion(comctl32))};
    if (initEx(&classes))
      return;
  }
  InitCommonControls();
}

const TDynamicCalls& DynamicCalls() {
  static const TDynamicCalls calls = LookUp();
  return calls;
}

bool DrawThemedPart(HWND window, const wchar_t* classList, int part, int state, HDC dc,
                    const RECT& rect, RECT* content) {
  const TDynamicCalls& calls = DynamicCalls();
  if (!calls.OpenThemeData || !calls.CloseThemeData || !calls.DrawThemeBackground ||
      !calls.IsAppThemed || !calls.IsAppThemed())
    return false;
  const TDynamicCalls::HTHEME theme = calls.OpenThemeData(window, classList);
  if (!theme)
    return false;
  const bool drawn = SUCCEEDED(calls.DrawThemeBackground(theme, dc, part, state, &rect, nullptr));
  if (content &&
      (!calls.GetThemeBackgroundContentRect ||
       FAILED(calls.GetThemeBackgroundContentRect(theme, dc, part, state, &rect, content))))
    *content = rect;
  calls.CloseThemeData(theme);
  return drawn;
}

} // namespace ui::win32

// Run-time lookups of the theme functions (uxtheme.dll, Windows XP and later)
// and of the common controls' initialisation (comctl32 4.70 and later).
#include "platform/ui/win32/DynamicCalls.h"

#include "platform/win32/SystemDlls.h"

#include <commctrl.h>

namespace ui::win32 {
namespace {

using HTHEME = HANDLE;
using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using IsAppThemedFn = BOOL(WINAPI*)();

struct TThemeCalls {
  OpenThemeDataFn Open = nullptr;
  CloseThemeDataFn Close = nullptr;
  DrawThemeBackgroundFn Draw = nullptr;
  IsAppThemedFn IsAppThemed = nullptr;

  TThemeCalls() {
    // Kept loaded for the life of the process.
    const HMODULE module = platform::win32::LoadSystemDll("uxtheme.dll");
    using platform::win32::ProcAddress;
    Open = ProcAddress<OpenThemeDataFn>(module, "OpenThemeData");
    Close = ProcAddress<CloseThemeDataFn>(module, "CloseThemeData");
    Draw = ProcAddress<DrawThemeBackgroundFn>(module, "DrawThemeBackground");
    IsAppThemed = ProcAddress<IsAppThemedFn>(module, "IsAppThemed");
  }
  bool Usable() const { return Open && Close && Draw && IsAppThemed && IsAppThemed(); }
};

const TThemeCalls& ThemeCalls() {
  static const TThemeCalls calls;
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

bool DrawThemedPart(HWND window, const wchar_t* classList, int part, int state, HDC dc,
                    const RECT& rect) {
  const TThemeCalls& calls = ThemeCalls();
  if (!calls.Usable())
    return false;
  const HTHEME theme = calls.Open(window, classList);
  if (!theme)
    return false;
  const bool drawn = SUCCEEDED(calls.Draw(theme, dc, part, state, &rect, nullptr));
  calls.Close(theme);
  return drawn;
}

} // namespace ui::win32

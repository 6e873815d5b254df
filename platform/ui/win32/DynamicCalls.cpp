// Run-time lookups of the theme functions (uxtheme.dll, Windows XP and later).
#include "platform/ui/win32/DynamicCalls.h"

#include <string>

namespace ui::win32 {
namespace {

using HTHEME = HANDLE;
using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using IsAppThemedFn = BOOL(WINAPI*)();

// A module of the system folder, by full path: never one beside the program.
HMODULE LoadSystemModule(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryA(path.c_str());
}

struct TThemeCalls {
  OpenThemeDataFn Open = nullptr;
  CloseThemeDataFn Close = nullptr;
  DrawThemeBackgroundFn Draw = nullptr;
  IsAppThemedFn IsAppThemed = nullptr;

  TThemeCalls() {
    // Kept loaded for the life of the process.
    const HMODULE module = LoadSystemModule("uxtheme.dll");
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

} // namespace

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

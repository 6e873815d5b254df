// The run-time lookups of the view's newer system functions.
#include "platform/ui/win32/DynamicCalls.h"

#include <string>

namespace ui::win32 {
namespace {

// A module of the system folder, by full path: never one beside the program.
HMODULE LoadSystemModule(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryA(path.c_str());
}

template <typename Fn> void Look(Fn& slot, HMODULE module, const char* name) {
  slot = platform::win32::ProcAddress<Fn>(module, name);
}

TDynamicCalls LookUp() {
  TDynamicCalls calls;
  const HMODULE uxtheme = LoadSystemModule("uxtheme.dll");
  Look(calls.OpenThemeData, uxtheme, "OpenThemeData");
  Look(calls.CloseThemeData, uxtheme, "CloseThemeData");
  Look(calls.DrawThemeBackground, uxtheme, "DrawThemeBackground");
  Look(calls.IsAppThemed, uxtheme, "IsAppThemed");
  Look(calls.GetThemeBackgroundContentRect, uxtheme, "GetThemeBackgroundContentRect");
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  Look(calls.ShutdownBlockReasonCreate, user32, "ShutdownBlockReasonCreate");
  Look(calls.ShutdownBlockReasonDestroy, user32, "ShutdownBlockReasonDestroy");
  Look(calls.GetDpiForWindow, user32, "GetDpiForWindow");
  return calls;
}

} // namespace

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

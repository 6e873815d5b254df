// The view's windows are Unicode. The program's own texts are cp1252 and are
// converted as such, whatever the system's code page; names that came from
// the system (folders, drive labels, what the user typed) are in the system's
// ANSI code page and go back to it unchanged.
#pragma once

#include "platform/MessageText.h"
#include "platform/win32/WindowsSupport.h"

#include <string>

namespace ui::win32 {

inline constexpr UINT kProgramCodePage = 1252;

std::wstring WideOf(const std::string& text, UINT codePage = kProgramCodePage);
std::string NarrowOf(const std::wstring& text, UINT codePage = kProgramCodePage);
// A message's parts, each from its own code page: the program's from cp1252,
// the system's names from systemCodePage (the system's ANSI code page unless
// told otherwise).
std::wstring WideMessageOf(const platform::MessageText& text, UINT systemCodePage = CP_ACP);

// A window's text as it holds it.
std::wstring WideTextOf(HWND window);

} // namespace ui::win32

// System functions newer than the oldest system the program must load on
// (Windows NT 4.0, to refuse it) that the view uses when present:
// looked up at run time from modules loaded by their full system path, so
// that the import table lists only what the oldest supported system exports.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

// Draws a part of the current visual style (uxtheme's DrawThemeBackground of
// the class list for the window); false when no theme is active or uxtheme is
// missing, and the caller draws the classic look.
bool DrawThemedPart(HWND window, const wchar_t* classList, int part, int state, HDC dc,
                    const RECT& rect);

// Registers the common controls the view uses (the progress bar; with
// version 6 the standard controls' themed classes too): InitCommonControlsEx
// where comctl32 has it (4.70 and later), else InitCommonControls.
void InitCommonControlsOfThisSystem();

} // namespace ui::win32

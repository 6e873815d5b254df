// System functions newer than Windows 2000 that the view uses when present:
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

} // namespace ui::win32

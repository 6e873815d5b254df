// Where the view's windows appear: centred on the work area (the screen
// without the task bar) of the monitor they are on.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

// The work area of the monitor nearest to reference (the primary one when
// reference is null).
RECT WorkAreaOf(HWND reference);

// Moves window so that it is centred on the work area of reference's monitor.
void CentreOnWorkArea(HWND window, HWND reference);

} // namespace ui::win32

// Scaling from the 96-DPI layout: every rectangle, font height, row height
// and picture of the view is kept in 96-DPI units and scaled at one point to
// the DPI of the window it is shown in.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

inline constexpr int kBaseDpi = 96;

inline int Scale(int value, int dpi) {
  return MulDiv(value, dpi, kBaseDpi);
}

inline RECT Scale(const RECT& rect, int dpi) {
  return {Scale(rect.left, dpi), Scale(rect.top, dpi), Scale(rect.right, dpi),
          Scale(rect.bottom, dpi)};
}

// The DPI a window is shown at: the window's own where the system tells it
// (per-monitor), else the system's (the screen's logical pixels per inch).
int WindowDpi(HWND window);

} // namespace ui::win32

// Scaling from the 96-DPI layout: every rectangle, font height, row height
// and picture of the view is kept in 96-DPI units and scaled at one point to
// the DPI of the window it is shown in.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

inline constexpr int kBaseDpi = 96;
// WM_DPICHANGED (Windows 8.1 and later): the window moved to a monitor of
// another scale.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

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

// A system metric (SM_CXICON, ...) at that DPI: the system's answer for it
// where the system gives one per DPI, else its answer for its own DPI scaled.
int SystemMetricForDpi(int index, int dpi);

} // namespace ui::win32

// The DPI of a window.
#include "platform/ui/win32/Dpi.h"

#include "platform/ui/win32/DynamicCalls.h"

namespace ui::win32 {

int WindowDpi(HWND window) {
  const TDynamicCalls& calls = DynamicCalls();
  if (window && calls.GetDpiForWindow) {
    const UINT dpi = calls.GetDpiForWindow(window);
    if (dpi > 0)
      return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int SystemMetricForDpi(int index, int dpi) {
  const TDynamicCalls& calls = DynamicCalls();
  if (calls.GetSystemMetricsForDpi)
    return calls.GetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, WindowDpi(nullptr));
}

} // namespace ui::win32

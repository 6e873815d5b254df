// Centring windows on a monitor's work area.
#include "platform/ui/win32/Placement.h"

#include "platform/ui/win32/DynamicCalls.h"

namespace ui::win32 {

// The work area of the reference window's monitor (the primary one without a
// reference); where the system knows no monitors (NT 4.0), the primary
// screen's work area, else the whole screen.
RECT WorkAreaOf(HWND reference) {
  const TDynamicCalls& calls = DynamicCalls();
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  HMONITOR monitor = nullptr;
  if (reference && calls.MonitorFromWindow)
    monitor = calls.MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST);
  else if (!reference && calls.MonitorFromPoint)
    monitor = calls.MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (monitor && calls.GetMonitorInfoW && calls.GetMonitorInfoW(monitor, &info))
    return info.rcWork;
  RECT area;
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    return area;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void CentreOnWorkArea(HWND window, HWND reference) {
  RECT frame;
  if (!GetWindowRect(window, &frame))
    return;
  const RECT area = WorkAreaOf(reference);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace ui::win32

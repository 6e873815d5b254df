// Centring windows on a monitor's work area.
#include "platform/ui/win32/Placement.h"

namespace ui::win32 {

RECT WorkAreaOf(HWND reference) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  const HMONITOR monitor = reference ? MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST)
                                     : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (monitor && GetMonitorInfoW(monitor, &info))
    return info.rcWork;
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

// Sizing a window by its client area.
#include "platform/ui/win32/ClientSize.h"

#include "platform/ui/win32/DynamicCalls.h"

namespace ui::win32 {

SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  RECT frame = {0, 0, client.cx, client.cy};
  const TDynamicCalls& calls = DynamicCalls();
  if (!calls.AdjustWindowRectExForDpi ||
      !calls.AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void SetClientSize(HWND window, SIZE client, int dpi, const RECT* place) {
  const SIZE frame = FrameSize(client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                               static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window, nullptr, place ? place->left : 0, place ? place->top : 0, frame.cx, frame.cy,
               place ? kFlags : kFlags | SWP_NOMOVE);
  RECT measured;
  RECT outer;
  if (!GetClientRect(window, &measured) || !GetWindowRect(window, &outer))
    return;
  const int dx = client.cx - measured.right;
  const int dy = client.cy - measured.bottom;
  if (dx == 0 && dy == 0)
    return;
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               kFlags | SWP_NOMOVE);
}

} // namespace ui::win32

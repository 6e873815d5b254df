// The container windows of the wizard window.
#include "platform/ui/win32/Panel.h"

#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/DynamicCalls.h"

namespace ui::win32 {
namespace {

constexpr char kPanelClass[] = "BrevantoPanel";

} // namespace

TPanel::TPanel(HWND parent, const RECT& rect, TFrame frame, bool visible) : frame_(frame) {
  if (!RegisterWindowClass(kPanelClass, nullptr))
    return;
  // Children are not painted over: no flicker without composition.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  Create(WS_EX_CONTROLPARENT, kPanelClass, "", style, rect.left, rect.top, rect.right - rect.left,
         rect.bottom - rect.top, parent);
}

void TPanel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  if (frame_ == TFrame::PageArea) {
    // The frame of a tab control's page, without its tab headers.
    constexpr int kTabPane = 9; // TABP_PANE
    // The pane's own fill would show as a ring around the sheets: inside
    // its border the face colour the sheets have.
    RECT content;
    if (DrawThemedPart(Handle(), L"TAB", kTabPane, 0, dc, client, &content))
      FillRect(dc, &content, GetSysColorBrush(COLOR_BTNFACE));
    else
      DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  }
  for (const RECT& unscaled : bevels_) {
    RECT bevel = Scale(unscaled, dpi_);
    DrawEdge(dc, &bevel, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
  }
  EndPaint(Handle(), &paint);
}

bool TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
  case WM_PAINT:
    Paint();
    result = 0;
    return true;
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_NEXTDLGCTL: // a multi-line edit's Tab
    result = SendMessageW(GetParent(Handle()), message, wParam, lParam);
    return true;
  default:
    return false;
  }
}

} // namespace ui::win32

// The container windows of the wizard window.
#include "platform/ui/win32/Panel.h"

#include "platform/ui/win32/DynamicCalls.h"

namespace ui::win32 {
namespace {

constexpr char kPanelClass[] = "BrevantoPanel";

} // namespace

TPanel::TPanel(HWND parent, const RECT& rect, TFrame frame, bool visible) : frame_(frame) {
  if (!RegisterWindowClass(kPanelClass, nullptr))
    return;
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
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
    if (!DrawThemedPart(Handle(), L"TAB", kTabPane, 0, dc, client))
      DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  }
  for (RECT bevel : bevels_)
    DrawEdge(dc, &bevel, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
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
    result = SendMessageA(GetParent(Handle()), message, wParam, lParam);
    return true;
  default:
    return false;
  }
}

} // namespace ui::win32

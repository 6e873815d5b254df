// The wizard window's side of the view seam: what the wizard sets, shown on
// the controls, and the modal run of the window.
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/PngResource.h"
#include "platform/ui/win32/WizardWindow.h"

#include <commctrl.h>

namespace ui::win32 {

void TWizardWindow::SetText(TControl control, const std::string& text) {
  SetWindowTextA(Control(control), text.c_str());
}

std::string TWizardWindow::Text(TControl control) const {
  const HWND window = Control(control);
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void TWizardWindow::SetLines(TControl control, const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      text += "\r\n";
    text += lines[i];
  }
  SetWindowTextA(Control(control), text.c_str());
}

void TWizardWindow::SetEnabled(TControl control, bool enabled) {
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void TWizardWindow::SetVisible(TControl control, bool visible) {
  ShowWindow(Control(control), visible ? SW_SHOWNA : SW_HIDE);
}

void TWizardWindow::SetChecked(TControl control, bool checked) {
  SendMessageA(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TWizardWindow::Checked(TControl control) const {
  return SendMessageA(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TWizardWindow::SetFocus(TControl control) {
  const HWND window = Control(control);
  ::SetFocus(window);
  savedFocus_ = window;
}

void TWizardWindow::ShowPage(int page) {
  for (size_t i = 0; i < sheets_.size(); ++i)
    if (static_cast<int>(i) != page)
      ShowWindow(sheets_[i]->Handle(), SW_HIDE);
  if (page >= 0 && page < static_cast<int>(sheets_.size()))
    ShowWindow(sheets_[static_cast<size_t>(page)]->Handle(), SW_SHOWNA);
}

void TWizardWindow::SetImage(TControl control, const std::string& pngResource) {
  if (control != TControl::LogoSmallImage && control != TControl::LogoImage)
    return;
  const auto pixels = LoadPngResource(pngResource.c_str());
  if (!pixels)
    return;
  // Composed once on the colour of the surface the picture sits on: the
  // white banner or the window's face.
  const COLORREF ground =
      control == TControl::LogoSmallImage ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE);
  HBITMAP& slot = control == TControl::LogoSmallImage ? logoSmall_ : logo_;
  if (slot)
    DeleteObject(slot);
  slot = ComposeOver(*pixels, ground);
  InvalidateRect(Control(control), nullptr, FALSE);
}

void TWizardWindow::SetRows(TControl list, const std::vector<TListRow>& rows) {
  const HWND window = Control(list);
  const bool combo = list == TControl::DestDirCmbBx;
  if (list != TControl::DestDirLstBx && !combo)
    return;
  (combo ? driveRows_ : folderRows_) = rows;
  SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  SendMessageA(window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const TListRow& row : rows)
    SendMessageA(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(row.Text.c_str()));
  SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window, nullptr, TRUE);
}

void TWizardWindow::SetSelectedRow(TControl list, int row) {
  const bool combo = list == TControl::DestDirCmbBx;
  SendMessageA(Control(list), combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void TWizardWindow::SetCheckRows(TControl list, const std::vector<TCheckRow>& rows) {
  const HWND window = Control(list);
  if (list != TControl::SelCompLstBx)
    return;
  const bool sameRows = rows.size() == checkRows_.size();
  checkRows_ = rows;
  if (!sameRows) {
    // A new set of rows; otherwise the rows are redrawn in place, keeping the
    // selection and the scroll position.
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, LB_RESETCONTENT, 0, 0);
    for (const TCheckRow& row : rows)
      SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.Name.c_str()));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  }
  for (size_t i = 0; i < rows.size(); ++i)
    SendMessageA(window, LB_SETITEMDATA, i, rows[i].State);
  InvalidateRect(window, nullptr, TRUE);
}

void TWizardWindow::SetCurrentRow(TControl list, int row) {
  SendMessageA(Control(list), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void TWizardWindow::SetProgressRange(TControl bar, int32_t max) {
  SendMessageA(Control(bar), PBM_SETRANGE32, 0, max);
}

void TWizardWindow::SetProgressPosition(TControl bar, int32_t position) {
  SendMessageA(Control(bar), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TWizardWindow::SetWaitCursor(bool wait) {
  waitCursor_ = wait;
  ::SetCursor(LoadCursorA(nullptr, wait ? MAKEINTRESOURCEA(32514) : MAKEINTRESOURCEA(32512)));
}

void TWizardWindow::StartTimer(int id, unsigned intervalMs) {
  SetTimer(Handle(), static_cast<UINT_PTR>(id), intervalMs, nullptr);
}

void TWizardWindow::StopTimer(int id) {
  KillTimer(Handle(), static_cast<UINT_PTR>(id));
}

int TWizardWindow::ShowDialog(const TDialogSpec& dialog) {
  const HWND focus = GetFocus();
  TMessageDialog window(dialog, Handle(), font_);
  const int result = window.Run();
  if (focus && IsWindow(focus))
    ::SetFocus(focus);
  return result;
}

void TWizardWindow::RunModal(TViewEvents& events) {
  events_ = &events;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  UpdateWindow(Handle());
  MSG message;
  while (!events.Closed()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0)
      break;
    if (TranslateKey(message) || IsDialogMessageA(Handle(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ShowWindow(Handle(), SW_HIDE);
  events_ = nullptr;
}

} // namespace ui::win32

// The wizard window's side of the view seam: what the wizard sets, shown on
// the controls, and the modal run of the window.
#include "platform/ui/win32/Colours.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/PngResource.h"
#include "platform/ui/win32/Resample.h"
#include "platform/ui/win32/WideText.h"
#include "platform/ui/win32/WizardWindow.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// The folder in the edit box comes from the system or the user, as the
// folder list's and drive box's names do: the system's code page. Every
// other text is the program's own, in cp1252.
UINT CodePageOf(TControl control) {
  return control == TControl::DestDirEdt ? CP_ACP : kProgramCodePage;
}

} // namespace

void TWizardWindow::SetText(TControl control, const std::string& text) {
  SetWindowTextW(Control(control), WideOf(text, CodePageOf(control)).c_str());
}

std::string TWizardWindow::Text(TControl control) const {
  return NarrowOf(WideTextOf(Control(control)), CodePageOf(control));
}

void TWizardWindow::SetLines(TControl control, const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      text += "\r\n";
    text += lines[i];
  }
  SetWindowTextW(Control(control), WideOf(text).c_str());
}

void TWizardWindow::SetEnabled(TControl control, bool enabled) {
  if (!enabled)
    MoveFocusOff(Control(control));
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void TWizardWindow::SetVisible(TControl control, bool visible) {
  if (!visible)
    MoveFocusOff(Control(control));
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
  if (page >= 0 && page < static_cast<int>(sheets_.size()))
    ShowWindow(sheets_[static_cast<size_t>(page)]->Handle(), SW_SHOWNA);
  const HWND focus = GetFocus();
  for (size_t i = 0; i < sheets_.size(); ++i) {
    const HWND sheet = sheets_[i]->Handle();
    if (static_cast<int>(i) == page)
      continue;
    // The focus leaves a page before it is hidden; the new page's own
    // control, or the default button, takes it below.
    if (focus && IsChild(sheet, focus))
      ::SetFocus(Handle());
    ShowWindow(sheet, SW_HIDE);
  }
  KeepFocusUsable();
}

void TWizardWindow::SetImage(TControl control, const std::string& pngResource) {
  if (control != TControl::LogoSmallImage && control != TControl::LogoImage)
    return;
  logoResources_[control == TControl::LogoSmallImage ? 0 : 1] = pngResource;
  ShowLogo(control);
}

void TWizardWindow::ShowLogo(TControl control) {
  const std::string& name = logoResources_[control == TControl::LogoSmallImage ? 0 : 1];
  if (name.empty())
    return;
  auto pixels = LoadPngResource(name.c_str());
  if (!pixels)
    return;
  for (const TControlLayout& layout : ControlLayouts())
    if (layout.Control == control)
      pixels = Resample(*pixels, S(layout.Width), S(layout.Height));
  // Composed once on the colour of the surface the picture sits on: the
  // white banner or the window's face.
  const COLORREF ground = control == TControl::LogoSmallImage ? BannerColours(highContrast_).Ground
                                                              : GetSysColor(COLOR_BTNFACE);
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
  // Folder names and drive labels: the system's code page.
  for (const TListRow& row : rows)
    SendMessageW(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideOf(row.Text, CP_ACP).c_str()));
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
  const std::vector<TCheckRow> before = checkRows_;
  checkRows_ = rows;
  if (!sameRows) {
    // A new set of rows; otherwise the rows are redrawn in place, keeping the
    // selection and the scroll position.
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, LB_RESETCONTENT, 0, 0);
    for (const TCheckRow& row : rows)
      SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(row.Name).c_str()));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  }
  for (size_t i = 0; i < rows.size(); ++i)
    SendMessageA(window, LB_SETITEMDATA, i, rows[i].State);
  InvalidateRect(window, nullptr, TRUE);
  // A row ticked or unticked, or whose size changed, is announced to screen
  // readers (the list's child i + 1).
  if (sameRows)
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].State != before[i].State)
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, static_cast<LONG>(i + 1));
      if (rows[i].SizeText != before[i].SizeText)
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT,
                       static_cast<LONG>(i + 1));
    }
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
  TMessageDialog window(dialog, Handle(), dpi_);
  const int result = window.Run();
  if (focus && IsWindow(focus))
    ::SetFocus(focus);
  return result;
}

void TWizardWindow::RunModal(TViewEvents& events) {
  events_ = &events;
  // Focus rectangles and accelerator underlines as the system's setting
  // says: hidden until the keyboard is used, where the user chose so.
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  KeepFocusUsable();
  UpdateWindow(Handle());
  MSG message;
  while (!events.Closed()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0)
      break;
    if (TranslateKey(message) || IsDialogMessageW(Handle(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ShowWindow(Handle(), SW_HIDE);
  events_ = nullptr;
}

} // namespace ui::win32

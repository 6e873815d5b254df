// The wizard window: creation of the window and its controls, painting, and
// the messages it turns into calls on the wizard's events.
#include "platform/ui/win32/WizardWindow.h"

#include "platform/ui/WizardView.h"
#include "platform/ui/win32/ClientSize.h"
#include "platform/ui/win32/Colours.h"
#include "platform/ui/win32/DynamicCalls.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/Placement.h"
#include "platform/ui/win32/WideText.h"
#include "platform/win32/AppWindow.h"

#include <commctrl.h>

#include <iterator>
#include <string_view>

namespace ui::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// An unowned window with its own task-bar button, also listed by Alt+Tab.
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
// WM_THEMECHANGED (Windows XP and later).
constexpr UINT kThemeChangedMessage = 0x031A;

// The lists whose accessible objects the view provides, in the order of
// listOriginals_ and accessibles_.
constexpr TControl kAccessibleLists[] = {TControl::DestDirLstBx, TControl::DestDirCmbBx,
                                         TControl::SelCompLstBx};

int AccessibleIndex(TControl control) {
  for (size_t i = 0; i < std::size(kAccessibleLists); ++i)
    if (kAccessibleLists[i] == control)
      return static_cast<int>(i);
  return -1;
}

} // namespace

TWizardWindow::TWizardWindow() {
  created_ = CreateWindows();
}

TWizardWindow::~TWizardWindow() {
  // A screen reader may hold an object longer than its window lives.
  for (TAccessibleObject*& object : accessibles_)
    if (object) {
      object->Disconnect();
      object->Release();
      object = nullptr;
    }
  // The children go before the fonts, pictures and panels they use.
  if (Handle())
    DestroyWindow(Handle());
  sheets_.clear();
  pageArea_.reset();
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(titleFont_),
                         static_cast<HGDIOBJ>(boldFont_), static_cast<HGDIOBJ>(bannerBrush_),
                         static_cast<HGDIOBJ>(logo_), static_cast<HGDIOBJ>(logoSmall_)})
    if (object)
      DeleteObject(object);
  for (HICON icon : {smallIcon_, bigIcon_})
    if (icon)
      DestroyIcon(icon);
}

bool TWizardWindow::CreateWindows() {
  InitCommonControlsOfThisSystem();
  if (!RegisterWindowClass(kWizardWindowClass, platform::win32::ApplicationIcon()))
    return false;
  dpi_ = WindowDpi(nullptr);
  CreateFonts();
  pictures_ = std::make_unique<TRowPictures>(dpi_);
  ApplyColours(HighContrastOn());

  const SIZE frame = FrameSize({S(kClientWidth), S(kClientHeight)}, kStyle, kExStyle, dpi_);
  if (!Create(kExStyle, kWizardWindowClass, "", kStyle, 0, 0, frame.cx, frame.cy, nullptr))
    return false;
  if (!CreateControls())
    return false;
  // Laid out for the DPI of its monitor (per-monitor awareness) and centred
  // on the work area of the primary monitor, where it is created.
  ApplyDpi(WindowDpi(Handle()), nullptr);
  CentreOnWorkArea(Handle(), nullptr);
  return true;
}

bool TWizardWindow::CreateControls() {
  pageArea_ = std::make_unique<TPanel>(Handle(), Scale(kPageAreaRect, dpi_),
                                       TPanel::TFrame::PageArea, true);
  if (!pageArea_->Handle())
    return false;
  pageArea_->SetDpi(dpi_);
  const RECT area = Scale(kPageAreaRect, dpi_);
  const int inset = S(kSheetInset);
  for (int page = 0; page < kPageCount; ++page) {
    const RECT rect = {inset, inset, area.right - area.left - inset,
                       area.bottom - area.top - inset};
    sheets_.push_back(
        std::make_unique<TPanel>(pageArea_->Handle(), rect, TPanel::TFrame::None, false));
    if (!sheets_.back()->Handle())
      return false;
    sheets_.back()->SetDpi(dpi_);
  }
  for (const TBevel& bevel : SheetBevels())
    sheets_[static_cast<size_t>(bevel.Page)]->AddBevel(bevel.Rect);

  for (const TControlLayout& layout : ControlLayouts()) {
    const HWND parent =
        layout.Page < 0 ? Handle() : sheets_[static_cast<size_t>(layout.Page)]->Handle();
    const DWORD exStyle =
        (layout.Control == TControl::LicenseMemo || layout.Control == TControl::DestDirEdt)
            ? WS_EX_CLIENTEDGE
            : 0;
    const DWORD style = layout.Style & ~static_cast<DWORD>(WS_BORDER);
    const DWORD border = (layout.Style & WS_BORDER) ? WS_EX_CLIENTEDGE : 0;
    HWND control =
        CreateWindowExW(exStyle | border, WideOf(layout.ClassName).c_str(), L"", style, S(layout.X),
                        S(layout.Y), S(layout.Width), S(layout.Height), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(layout.Control))),
                        GetModuleHandleW(nullptr), nullptr);
    if (!control)
      return false;
    HFONT font = layout.Control == TControl::TopLbl           ? titleFont_
                 : layout.Control == TControl::InstallingLbl2 ? boldFont_
                                                              : font_;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_[static_cast<size_t>(layout.Control)] = control;
  }
  controls_[static_cast<size_t>(TControl::Form)] = Handle();

  // The memo holds a licence of any length.
  SendMessageA(Control(TControl::LicenseMemo), EM_LIMITTEXT, 0, 0);
  return SubclassLists();
}

bool TWizardWindow::SubclassLists() {
  for (size_t i = 0; i < std::size(kAccessibleLists); ++i) {
    const TControl list = kAccessibleLists[i];
    const HWND window = Control(list);
    TAccessibleSpec spec;
    const bool box = list == TControl::DestDirCmbBx;
    spec.Role = box ? ROLE_SYSTEM_COMBOBOX : ROLE_SYSTEM_LIST;
    spec.Rows = box ? TAccessibleRows::ComboBox : TAccessibleRows::ListBox;
    if (list == TControl::SelCompLstBx) {
      spec.CheckRows = &checkRows_;
      spec.ToggleRow = [this](int row) {
        if (events_)
          events_->CheckRowToggled(TControl::SelCompLstBx, row);
      };
    }
    accessibles_[i] = new TAccessibleObject(window, std::move(spec));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listOriginals_[i] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProcedure)));
    if (!listOriginals_[i])
      return false;
  }
  return true;
}

TAccessibleObject* TWizardWindow::Accessible(TControl control) const {
  const int index = AccessibleIndex(control);
  return index < 0 ? nullptr : accessibles_[static_cast<size_t>(index)];
}

void TWizardWindow::SetAccessibleName(TControl control, const std::string& name) {
  if (TAccessibleObject* object = Accessible(control))
    object->SetName(WithoutAccelerators(WideOf(name)));
}

void TWizardWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  // The banner paints its own white ground inside its bevels.
  RECT banner = Scale(kBannerRect, dpi_);
  FillRect(dc, &banner, bannerBrush_);
  DrawEdge(dc, &banner, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
  RECT line = Scale(kLeftLineRect, dpi_);
  line.right = line.left + 2;
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  RECT separator = {0, S(kSeparatorTop), S(kClientWidth), S(kSeparatorTop) + 2};
  DrawEdge(dc, &separator, EDGE_ETCHED, BF_TOP);
  EndPaint(Handle(), &paint);
}

TControl TWizardWindow::ControlOf(int id) const {
  const int index = id - ControlId(TControl::Form);
  if (index < 0 || index >= static_cast<int>(TControl::Count))
    return TControl::Count;
  return static_cast<TControl>(index);
}

void TWizardWindow::Press(TControl button) {
  const HWND window = Control(button);
  if (events_ && IsWindowVisible(window) && IsWindowEnabled(window))
    events_->ButtonClicked(button);
}

void TWizardWindow::OnCommand(WPARAM wParam) {
  const TControl control = ControlOf(LOWORD(wParam));
  const int code = HIWORD(wParam);
  if (!events_)
    return;
  switch (control) {
  case TControl::BackBtn:
  case TControl::NextBtn:
  case TControl::CancelBtn:
    if (code == BN_CLICKED)
      events_->ButtonClicked(control);
    return;
  case TControl::DestDirLstBx:
    if (code == LBN_SELCHANGE)
      events_->ListRowChosen(control,
                             static_cast<int>(SendMessageA(Control(control), LB_GETCURSEL, 0, 0)));
    return;
  case TControl::DestDirCmbBx:
    if (code == CBN_SELCHANGE)
      events_->ListRowChosen(control,
                             static_cast<int>(SendMessageA(Control(control), CB_GETCURSEL, 0, 0)));
    return;
  default:
    return;
  }
}

void TWizardWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
  item.itemHeight = RowHeight(ControlOf(static_cast<int>(item.CtlID)));
}

void TWizardWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const TControl control = ControlOf(static_cast<int>(item.CtlID));
  if (control == TControl::LogoImage || control == TControl::LogoSmallImage) {
    const HBITMAP bitmap = control == TControl::LogoImage ? logo_ : logoSmall_;
    if (!bitmap)
      return;
    HDC source = CreateCompatibleDC(item.hDC);
    const HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
           item.rcItem.bottom - item.rcItem.top, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return;
  }
  const size_t row = item.itemID;
  if (item.itemID == static_cast<UINT>(-1))
    return;
  if (control == TControl::DestDirLstBx && row < folderRows_.size())
    DrawFolderRow(item, folderRows_[row], *pictures_, dpi_);
  else if (control == TControl::DestDirCmbBx && row < driveRows_.size())
    DrawDriveRow(item, driveRows_[row], *pictures_, dpi_);
  else if (control == TControl::SelCompLstBx && row < checkRows_.size())
    DrawCheckRow(item, checkRows_[row], dpi_);
}

bool TWizardWindow::OnColourStatic(HDC dc, HWND control, LRESULT& result) {
  if (control == Control(TControl::LicenseMemo)) {
    // A read-only memo is still a page of text: the window's colours.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
  }
  if (control != Control(TControl::TopLbl))
    return false;
  const TBannerColours colours = BannerColours(highContrast_);
  SetTextColor(dc, colours.Title);
  SetBkColor(dc, colours.Ground);
  result = reinterpret_cast<LRESULT>(bannerBrush_);
  return true;
}

void TWizardWindow::ApplyColours(bool highContrast) {
  highContrast_ = highContrast;
  if (bannerBrush_)
    DeleteObject(bannerBrush_);
  bannerBrush_ = CreateSolidBrush(BannerColours(highContrast_).Ground);
  if (!Handle())
    return;
  ShowLogo(TControl::LogoSmallImage);
  ShowLogo(TControl::LogoImage);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWizardWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
  // The focus comes back to the control that had it, as in a dialog box.
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
      savedFocus_ = focus;
  }
  // The system's own handling first (it focuses the window itself).
  DefWindowProcW(Handle(), WM_ACTIVATE, wParam, lParam);
  if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) /* minimised */)
    return;
  if (savedFocus_ && IsWindow(savedFocus_) && IsChild(Handle(), savedFocus_) && Usable(savedFocus_))
    ::SetFocus(savedFocus_);
  KeepFocusUsable();
}

bool TWizardWindow::OnQueryEndSession() {
  std::string reason;
  const bool allowed = !events_ || events_->SessionEndAllowed(reason);
  const TDynamicCalls& calls = DynamicCalls();
  if (!allowed && calls.ShutdownBlockReasonCreate)
    calls.ShutdownBlockReasonCreate(Handle(), WideOf(reason).c_str());
  return allowed;
}

namespace {

// A message dialog of this thread left open: nobody will answer it now.
BOOL CALLBACK EndOpenDialog(HWND window, LPARAM) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) == kMessageDialogClass)
    EndDialog(window, kDialogNotShown);
  return TRUE;
}

} // namespace

void TWizardWindow::OnEndSession(bool ending) {
  const TDynamicCalls& calls = DynamicCalls();
  if (calls.ShutdownBlockReasonDestroy)
    calls.ShutdownBlockReasonDestroy(Handle());
  if (!ending || !events_)
    return;
  events_->SessionEnding();
  EnumThreadWindows(GetCurrentThreadId(), &EndOpenDialog, 0);
}

bool TWizardWindow::Usable(HWND control) const {
  // IsWindowVisible and IsWindowEnabled of the control and its parents.
  for (HWND window = control; window && window != Handle(); window = GetParent(window))
    if (!IsWindowVisible(window) || !IsWindowEnabled(window))
      return false;
  return control != nullptr;
}

void TWizardWindow::MoveFocusOff(HWND window) {
  const HWND focus = GetFocus();
  if (!focus || (focus != window && !IsChild(window, focus)))
    return;
  // The next control in Tab order that stays usable: on the installing page,
  // the Next button's neighbour "Annuler".
  HWND next = focus;
  for (int guard = 0; guard < static_cast<int>(TControl::Count); ++guard) {
    next = GetNextDlgTabItem(Handle(), next, FALSE);
    if (!next || next == focus)
      break;
    if (next != window && !IsChild(window, next) && Usable(next)) {
      ::SetFocus(next);
      savedFocus_ = next;
      return;
    }
  }
  // Nothing else takes the focus: the window keeps it, so keys still reach it.
  ::SetFocus(Handle());
}

void TWizardWindow::KeepFocusUsable() {
  if (!IsWindowVisible(Handle()))
    return;
  const HWND focus = GetFocus();
  if (focus && focus != Handle() && IsChild(Handle(), focus) && Usable(focus))
    return;
  if (GetActiveWindow() != Handle())
    return;
  HWND target = Control(TControl::NextBtn);
  if (!Usable(target))
    target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (target && Usable(target)) {
    ::SetFocus(target);
    savedFocus_ = target;
  }
}

bool TWizardWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
  case WM_PAINT:
    Paint();
    return true;
  case WM_COMMAND:
    OnCommand(wParam);
    return true;
  case WM_DRAWITEM:
    OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  case WM_MEASUREITEM:
    OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  case WM_CTLCOLORSTATIC:
    return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
  case WM_TIMER:
    if (events_)
      events_->TimerFired(static_cast<int>(wParam));
    return true;
  case WM_ACTIVATEAPP:
    if (events_)
      events_->ApplicationActivated(wParam != FALSE);
    return true;
  case WM_ACTIVATE:
    OnActivate(wParam, lParam);
    return true;
  case WM_SETCURSOR:
    if (!waitCursor_)
      return false;
    ::SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514))); // IDC_WAIT
    result = TRUE;
    return true;
  case kDpiChangedMessage:
    ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
    return true;
  case WM_SYSCOLORCHANGE:
  case WM_SETTINGCHANGE:
  case kThemeChangedMessage:
    // Colours, high contrast or the visual style changed: the whole window
    // is painted again with the new ones.
    ApplyColours(HighContrastOn());
    return false;
  case WM_NEXTDLGCTL: {
    // A control's request to move the focus (the memo's Tab), as a dialog
    // box answers it: to the given control, or the next or previous one.
    const HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
    if (target && Usable(target))
      ::SetFocus(target);
    return true;
  }
  case WM_QUERYENDSESSION:
    result = OnQueryEndSession() ? TRUE : FALSE;
    return true;
  case WM_ENDSESSION:
    OnEndSession(wParam != FALSE);
    return true;
  case WM_CLOSE:
    // The wizard decides; the window is not destroyed here.
    if (events_)
      events_->CloseRequested();
    return true;
  default:
    return false;
  }
}

namespace {

// CharLowerW takes one character in the low word of its argument.
wchar_t LowerCase(wchar_t c) {
  const auto code = static_cast<uintptr_t>(c);
  return static_cast<wchar_t>(
      reinterpret_cast<uintptr_t>(CharLowerW(reinterpret_cast<LPWSTR>(code))));
}

// The letter a caption marks with "&" (lower case), or 0; "&&" is a plain "&".
wchar_t AcceleratorOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] != '&')
      return LowerCase(caption[i + 1]);
    ++i;
  }
  return 0;
}

} // namespace

bool TWizardWindow::FocusLabelTarget(wchar_t letter) {
  const auto layouts = ControlLayouts();
  for (size_t i = 0; i < layouts.size(); ++i) {
    const HWND label = Control(layouts[i].Control);
    if (std::string_view(layouts[i].ClassName) != "Static" || !IsWindowVisible(label) ||
        AcceleratorOf(WideTextOf(label)) != letter)
      continue;
    // The label's control is the next one on its page that takes the focus.
    for (size_t j = i + 1; j < layouts.size() && layouts[j].Page == layouts[i].Page; ++j) {
      const HWND target = Control(layouts[j].Control);
      if ((layouts[j].Style & WS_TABSTOP) && IsWindowVisible(target) && IsWindowEnabled(target)) {
        ::SetFocus(target);
        return true;
      }
    }
  }
  return false;
}

bool TWizardWindow::TranslateKey(const MSG& message) {
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
    return false;
  // A label's accelerator (Alt+letter, or the letter alone on a button)
  // focuses its control, as the dialog manager does not look into the sheets.
  if (message.message == WM_SYSCHAR || message.message == WM_CHAR) {
    char name[16] = {};
    GetClassNameA(message.hwnd, name, sizeof name);
    if (message.message == WM_CHAR && std::string_view(name) != "Button")
      return false;
    const wchar_t letter =
        AcceleratorOf(std::wstring(1, L'&') + static_cast<wchar_t>(message.wParam));
    return letter != 0 && FocusLabelTarget(letter);
  }
  if (message.message != WM_KEYDOWN)
    return false;
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)
    return false;
  // An open drop-down list takes Enter and Esc itself.
  const HWND driveBox = Control(TControl::DestDirCmbBx);
  if ((message.hwnd == driveBox || IsChild(driveBox, message.hwnd)) &&
      SendMessageA(driveBox, CB_GETDROPPEDSTATE, 0, 0))
    return false;
  if (message.wParam == VK_ESCAPE) {
    Press(TControl::CancelBtn);
    return true;
  }
  // Enter presses the focused push button, else the default button.
  for (TControl button : {TControl::BackBtn, TControl::NextBtn, TControl::CancelBtn})
    if (message.hwnd == Control(button)) {
      Press(button);
      return true;
    }
  Press(TControl::NextBtn);
  return true;
}

LRESULT CALLBACK TWizardWindow::ListProcedure(HWND list, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<TWizardWindow*>(GetWindowLongPtrW(list, GWLP_USERDATA));
  try {
    return self->ListMessage(list, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT TWizardWindow::ListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  size_t i = 0;
  while (i + 1 < std::size(kAccessibleLists) && Control(kAccessibleLists[i]) != list)
    ++i;
  if (message == WM_GETOBJECT && accessibles_[i])
    if (const LRESULT answer = accessibles_[i]->Answer(wParam, lParam))
      return answer;
  if (kAccessibleLists[i] == TControl::SelCompLstBx)
    return CheckListMessage(message, wParam, lParam);
  return CallWindowProcW(listOriginals_[i], list, message, wParam, lParam);
}

LRESULT TWizardWindow::CheckListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND list = Control(TControl::SelCompLstBx);
  const WNDPROC original =
      listOriginals_[static_cast<size_t>(AccessibleIndex(TControl::SelCompLstBx))];
  switch (message) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    // The list selects the row first; a press in the check-box strip also toggles it.
    const LRESULT result = CallWindowProcW(original, list, message, wParam, lParam);
    const int x = static_cast<short>(LOWORD(lParam));
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
    if (x < S(kCheckStripWidth) && HIWORD(hit) == 0 && events_)
      events_->CheckRowToggled(TControl::SelCompLstBx, LOWORD(hit));
    return result;
  }
  case WM_KEYDOWN:
    if (wParam == VK_SPACE) {
      const int row = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
      if (row >= 0 && events_)
        events_->CheckRowToggled(TControl::SelCompLstBx, row);
      return 0;
    }
    break;
  case WM_CHAR:
    // Space toggles; it does not search the rows for a name beginning with a space.
    if (wParam == ' ')
      return 0;
    break;
  default:
    break;
  }
  return CallWindowProcW(original, list, message, wParam, lParam);
}

} // namespace ui::win32

namespace ui {

std::unique_ptr<TView> CreateWizardView() {
  auto view = std::make_unique<win32::TWizardWindow>();
  if (!view->Created())
    return nullptr;
  return view;
}

} // namespace ui

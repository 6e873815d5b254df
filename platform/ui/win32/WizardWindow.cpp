// The wizard window: creation of the window and its controls, painting, and
// the messages it turns into calls on the wizard's events.
#include "platform/ui/win32/WizardWindow.h"

#include "platform/ui/WizardView.h"
#include "platform/ui/win32/DynamicCalls.h"
#include "platform/ui/win32/Layout.h"
#include "platform/win32/AppWindow.h"

#include <commctrl.h>

#include <string_view>

namespace ui::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// An unowned window with its own task-bar button, also listed by Alt+Tab.
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
// Navy, the banner title's colour.
constexpr COLORREF kTitleColour = RGB(0, 0, 128);

HFONT MakeFont(int height, int weight, const char* face) {
  return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

} // namespace

TWizardWindow::TWizardWindow() {
  created_ = CreateWindows();
}

TWizardWindow::~TWizardWindow() {
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
  if (smallIcon_)
    DestroyIcon(smallIcon_);
}

bool TWizardWindow::CreateWindows() {
  InitCommonControlsOfThisSystem();
  const HICON icon = platform::win32::ApplicationIcon();
  if (!RegisterWindowClass(kWizardWindowClass, icon))
    return false;
  // The dialog font of the classic Windows wizards, and the two fonts of their labels.
  font_ = MakeFont(11, FW_NORMAL, "Tahoma");
  titleFont_ = MakeFont(15, FW_BOLD, "Arial");
  boldFont_ = MakeFont(11, FW_BOLD, "Tahoma");
  bannerBrush_ = CreateSolidBrush(RGB(255, 255, 255));

  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (!Create(kExStyle, kWizardWindowClass, "", kStyle, x, y, width, height, nullptr))
    return false;
  if (icon) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    smallIcon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon));
  }
  return CreateControls();
}

bool TWizardWindow::CreateControls() {
  pageArea_ = std::make_unique<TPanel>(Handle(), kPageAreaRect, TPanel::TFrame::PageArea, true);
  if (!pageArea_->Handle())
    return false;
  const int sheetWidth = kPageAreaRect.right - kPageAreaRect.left - 2 * kSheetInset;
  const int sheetHeight = kPageAreaRect.bottom - kPageAreaRect.top - 2 * kSheetInset;
  for (int page = 0; page < kPageCount; ++page) {
    const RECT rect = {kSheetInset, kSheetInset, kSheetInset + sheetWidth,
                       kSheetInset + sheetHeight};
    sheets_.push_back(
        std::make_unique<TPanel>(pageArea_->Handle(), rect, TPanel::TFrame::None, false));
    if (!sheets_.back()->Handle())
      return false;
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
        CreateWindowExA(exStyle | border, layout.ClassName, "", style, layout.X, layout.Y,
                        layout.Width, layout.Height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(layout.Control))),
                        GetModuleHandleA(nullptr), nullptr);
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
  const HWND checkList = Control(TControl::SelCompLstBx);
  SetWindowLongPtrA(checkList, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  checkListOriginal_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(checkList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckListProcedure)));
  return checkListOriginal_ != nullptr;
}

int TWizardWindow::TextHeight(HFONT font) const {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

void TWizardWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  // The banner paints its own white ground inside its bevels.
  RECT banner = kBannerRect;
  FillRect(dc, &banner, bannerBrush_);
  DrawEdge(dc, &banner, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
  RECT line = kLeftLineRect;
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  RECT separator = {0, kSeparatorTop, kClientWidth, kSeparatorTop + 2};
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
  const int textHeight = TextHeight(font_);
  switch (ControlOf(static_cast<int>(item.CtlID))) {
  case TControl::DestDirLstBx:
    item.itemHeight = kFolderRowHeight;
    break;
  case TControl::DestDirCmbBx:
    item.itemHeight = static_cast<UINT>(std::max(TRowPictures::kSize, textHeight + 2));
    break;
  default:
    item.itemHeight = static_cast<UINT>(std::max(kCheckBoxSize + 3, textHeight + 3));
    break;
  }
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
    DrawFolderRow(item, folderRows_[row], pictures_);
  else if (control == TControl::DestDirCmbBx && row < driveRows_.size())
    DrawDriveRow(item, driveRows_[row], pictures_);
  else if (control == TControl::SelCompLstBx && row < checkRows_.size())
    DrawCheckRow(item, checkRows_[row]);
}

bool TWizardWindow::OnColourStatic(HDC dc, HWND control, LRESULT& result) {
  if (control != Control(TControl::TopLbl))
    return false;
  SetTextColor(dc, kTitleColour);
  SetBkColor(dc, RGB(255, 255, 255));
  result = reinterpret_cast<LRESULT>(bannerBrush_);
  return true;
}

void TWizardWindow::OnActivate(WPARAM wParam) {
  // The focus comes back to the control that had it, as in a dialog box.
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
      savedFocus_ = focus;
  } else if (savedFocus_ && IsWindow(savedFocus_) && IsChild(Handle(), savedFocus_)) {
    ::SetFocus(savedFocus_);
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
    OnActivate(wParam);
    return true;
  case WM_SETCURSOR:
    if (!waitCursor_)
      return false;
    ::SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514))); // IDC_WAIT
    result = TRUE;
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

// CharLowerA takes one character in the low word of its argument (cp1252 aware).
char LowerCase(char c) {
  const auto code = static_cast<uintptr_t>(static_cast<unsigned char>(c));
  return static_cast<char>(reinterpret_cast<uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(code))));
}

// The letter a caption marks with "&" (lower case), or 0; "&&" is a plain "&".
char AcceleratorOf(const std::string& caption) {
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

bool TWizardWindow::FocusLabelTarget(char letter) {
  const auto layouts = ControlLayouts();
  for (size_t i = 0; i < layouts.size(); ++i) {
    const HWND label = Control(layouts[i].Control);
    if (std::string_view(layouts[i].ClassName) != "Static" || !IsWindowVisible(label) ||
        AcceleratorOf(Text(layouts[i].Control)) != letter)
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
    const char letter = AcceleratorOf(std::string(1, '&') + static_cast<char>(message.wParam));
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

LRESULT CALLBACK TWizardWindow::CheckListProcedure(HWND list, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  auto* self = reinterpret_cast<TWizardWindow*>(GetWindowLongPtrA(list, GWLP_USERDATA));
  try {
    return self->CheckListMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT TWizardWindow::CheckListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND list = Control(TControl::SelCompLstBx);
  switch (message) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    // The list selects the row first; a press in the check-box strip also toggles it.
    const LRESULT result = CallWindowProcA(checkListOriginal_, list, message, wParam, lParam);
    const int x = static_cast<short>(LOWORD(lParam));
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
    if (x < kCheckStripWidth && HIWORD(hit) == 0 && events_)
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
  return CallWindowProcA(checkListOriginal_, list, message, wParam, lParam);
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

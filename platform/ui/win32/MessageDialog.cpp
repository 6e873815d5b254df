// The modal message dialog: its template, its layout and its answers.
#include "platform/ui/win32/MessageDialog.h"

#include "platform/ui/win32/ClientSize.h"
#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/DynamicCalls.h"
#include "platform/ui/win32/Fonts.h"
#include "platform/ui/win32/Placement.h"
#include "platform/ui/win32/WideText.h"

#include <algorithm>

namespace ui::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kStaticId = 0xFFFF;

LPCWSTR SystemIcon(TDialogIcon icon) {
  switch (icon) {
  case TDialogIcon::Hand:
    return MAKEINTRESOURCEW(32513); // IDI_HAND
  case TDialogIcon::Asterisk:
    return MAKEINTRESOURCEW(32516); // IDI_ASTERISK
  case TDialogIcon::Question:
    return MAKEINTRESOURCEW(32514); // IDI_QUESTION
  case TDialogIcon::Exclamation:
    break;
  }
  return MAKEINTRESOURCEW(32515); // IDI_EXCLAMATION
}

// The system's icon at that size, and whether the caller owns it:
// LoadIconWithScaleDown where comctl32 has it (LoadImage's shared copy keeps
// the size it was first loaded at, whatever is asked); else the shared icon
// at the system's size, the only DPI of the systems before Windows Vista.
HICON SystemIconAt(LPCWSTR name, int size, bool& owned) {
  const TDynamicCalls& calls = DynamicCalls();
  HICON icon = nullptr;
  owned = calls.LoadIconWithScaleDown &&
          SUCCEEDED(calls.LoadIconWithScaleDown(nullptr, name, size, size, &icon)) && icon;
  return owned ? icon : LoadIconW(nullptr, name);
}

// The dialog follows a change of DPI itself: the dialog manager's own
// scaling (Windows 10, version 1703) is turned off for it and its controls.
void KeepDialogManagerScalingOff(HWND dialog) {
  const TDynamicCalls& calls = DynamicCalls();
  constexpr int kDisableAll = 1;           // DDC_DISABLE_ALL
  constexpr int kDisableFontAndLayout = 3; // DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT
  if (calls.SetDialogDpiChangeBehavior)
    calls.SetDialogDpiChangeBehavior(dialog, kDisableAll, kDisableAll);
  if (!calls.SetDialogControlDpiChangeBehavior)
    return;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    calls.SetDialogControlDpiChangeBehavior(child, kDisableFontAndLayout, kDisableFontAndLayout);
}

// The private class: the system's dialog procedure with the dialog's extra
// bytes, so the dialog manager runs it exactly as a "#32770" dialog.
bool RegisterDialogClass() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring name = WideOf(kMessageDialogClass);
  WNDCLASSW existing;
  if (GetClassInfoW(instance, name.c_str(), &existing))
    return true;
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
  windowClass.lpfnWndProc = DefDlgProcW;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
  windowClass.lpszClassName = name.c_str();
  return RegisterClassW(&windowClass) != 0;
}

void Append(std::vector<WORD>& words, const std::wstring& text) {
  words.insert(words.end(), text.begin(), text.end());
  words.push_back(0);
}

void AppendDword(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

// One control of the template, DWORD-aligned; its place is set at layout.
void AppendItem(std::vector<WORD>& words, DWORD style, WORD id, WORD classAtom,
                const std::wstring& text) {
  if (words.size() % 2)
    words.push_back(0);
  AppendDword(words, WS_CHILD | WS_VISIBLE | style);
  AppendDword(words, 0); // extended style
  for (int i = 0; i < 4; ++i)
    words.push_back(0); // x, y, cx, cy
  words.push_back(id);
  words.push_back(0xFFFF);
  words.push_back(classAtom);
  Append(words, text);
  words.push_back(0); // no creation data
}

// The size of the text word-wrapped to at most maxWidth pixels; "\r" breaks
// lines, as the Static control that shows it breaks them.
SIZE WrappedTextSize(const std::wstring& text, HFONT font, int maxWidth) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT rect = {0, 0, maxWidth, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Place(HWND control, int x, int y, int width, int height) {
  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

TMessageDialog::TMessageDialog(const TDialogSpec& spec, HWND owner, int dpi)
    : spec_(spec), owner_(owner), dpi_(dpi) {}

TMessageDialog::~TMessageDialog() {
  if (font_)
    DeleteObject(font_);
  if (icon_ && ownsIcon_)
    DestroyIcon(icon_);
}

std::vector<WORD> TMessageDialog::BuildTemplate() const {
  std::vector<WORD> words;
  AppendDword(words, kStyle);
  AppendDword(words, 0); // extended style
  words.push_back(static_cast<WORD>(2 + spec_.Buttons.size()));
  for (int i = 0; i < 4; ++i)
    words.push_back(0); // x, y, cx, cy: laid out in pixels at initialisation
  words.push_back(0);   // no menu
  Append(words, WideOf(kMessageDialogClass));
  Append(words, WideOf(spec_.Caption));
  AppendItem(words, SS_ICON, kStaticId, kStaticAtom, L"");
  AppendItem(words, SS_LEFT | SS_NOPREFIX, kStaticId, kStaticAtom, WideMessageOf(spec_.Text));
  for (size_t i = 0; i < spec_.Buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | (static_cast<int>(i) == spec_.DefaultButton ? BS_DEFPUSHBUTTON
                                                                                 : BS_PUSHBUTTON);
    AppendItem(words, style, static_cast<WORD>(kDialogFirstButtonId + i), kButtonAtom,
               WideOf(spec_.Buttons[i].Caption));
  }
  return words;
}

int TMessageDialog::Run() {
  if (!RegisterDialogClass())
    return kDialogNotShown;
  const std::vector<WORD> words = BuildTemplate();
  const INT_PTR result = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner_,
      &Procedure, reinterpret_cast<LPARAM>(this));
  if (owner_)
    SetActiveWindow(owner_);
  // The dialog manager also ends on WM_QUIT (and the end of the session closes
  // the dialog): only a button or the close box is an answer.
  return result != -1 && answered_ ? static_cast<int>(result) : kDialogNotShown;
}

INT_PTR CALLBACK TMessageDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<TMessageDialog*>(lParam)->dialog_ = dialog;
  }
  auto* self = reinterpret_cast<TMessageDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self)
    return FALSE;
  try {
    return self->OnMessage(message, wParam, lParam) ? TRUE : FALSE;
  } catch (...) {
    // Nothing may unwind through USER32.
    return FALSE;
  }
}

bool TMessageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    Initialise();
    accessible_ = new TAccessibleObject(dialog_, DialogAccessibility());
    // The focus is set here: FALSE keeps the dialog manager's own choice away.
    return false;
  case WM_COMMAND: {
    const int id = LOWORD(wParam);
    if (id == IDOK) {
      // Enter while no push button has the focus.
      Press(spec_.DefaultButton);
    } else if (id == IDCANCEL) {
      // Esc.
      Press(spec_.CancelButton);
    } else if (HIWORD(wParam) == BN_CLICKED) {
      Press(id - kDialogFirstButtonId);
    }
    return true;
  }
  case kDpiChangedMessage:
    // Moved to a monitor of another scale.
    dpi_ = HIWORD(wParam);
    ApplyDpi(reinterpret_cast<const RECT*>(lParam));
    return true;
  case WM_GETOBJECT:
    if (const LRESULT answer = accessible_ ? accessible_->Answer(wParam, lParam) : 0) {
      SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, answer);
      return true;
    }
    return false;
  case WM_DESTROY:
    if (accessible_) {
      accessible_->Disconnect();
      accessible_->Release();
      accessible_ = nullptr;
    }
    return false;
  case WM_CLOSE:
    // The close box, Alt+F4, or the system menu's Close.
    answered_ = true;
    EndDialog(dialog_, spec_.CloseBoxResult);
    return true;
  default:
    return false;
  }
}

TAccessibleSpec TMessageDialog::DialogAccessibility() const {
  TAccessibleSpec spec;
  spec.Role = ROLE_SYSTEM_DIALOG;
  spec.ControlChildren = true;
  spec.Description = WideMessageOf(spec_.Text);
  return spec;
}

void TMessageDialog::Initialise() {
  KeepDialogManagerScalingOff(dialog_);
  if (spec_.DefaultButton >= 0)
    SendMessageW(dialog_, DM_SETDEFID, kDialogFirstButtonId + spec_.DefaultButton, 0);
  ApplyDpi(nullptr);
  // The focus starts on the default button, else the cancel button, else the first.
  const int focused = spec_.DefaultButton >= 0  ? spec_.DefaultButton
                      : spec_.CancelButton >= 0 ? spec_.CancelButton
                                                : 0;
  if (HWND button = GetDlgItem(dialog_, kDialogFirstButtonId + focused))
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
}

void TMessageDialog::ApplyDpi(const RECT* suggested) {
  const HFONT old = font_;
  font_ = ScaledFont(kDialogFont, dpi_);
  for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (old)
    DeleteObject(old);
  bool owned = false;
  const HICON icon = SystemIconAt(SystemIcon(spec_.Icon), Scale(kDialogIconSize, dpi_), owned);
  SendMessageW(GetWindow(dialog_, GW_CHILD), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (icon_ && ownsIcon_)
    DestroyIcon(icon_);
  icon_ = icon;
  ownsIcon_ = owned;
  // Moved first, so that the text wraps for the work area of the new monitor.
  if (suggested)
    SetWindowPos(dialog_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(suggested == nullptr);
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TMessageDialog::Layout(bool centre) {
  const HWND icon = GetWindow(dialog_, GW_CHILD);
  const HWND textControl = GetWindow(icon, GW_HWNDNEXT);
  const HWND reference = centre && owner_ ? owner_ : dialog_;
  const RECT area = WorkAreaOf(reference);
  const int screenWidth = area.right - area.left;
  const int margin = Scale(kDialogMargin, dpi_);
  const int iconSize = Scale(kDialogIconSize, dpi_);
  const int buttonWidth = Scale(kDialogButtonWidth, dpi_);
  const int buttonHeight = Scale(kDialogButtonHeight, dpi_);
  const int buttonGap = Scale(kDialogButtonGap, dpi_);
  const SIZE text = WrappedTextSize(WideMessageOf(spec_.Text), font_,
                                    std::max(screenWidth / 2, Scale(100, dpi_)));

  const int count = static_cast<int>(spec_.Buttons.size());
  const int rowWidth = count * buttonWidth + std::max(count - 1, 0) * buttonGap;
  const int textLeft = margin * 2 + iconSize;
  const int clientWidth =
      std::max(textLeft + static_cast<int>(text.cx) + margin, rowWidth + 2 * margin);
  const int textTop = margin + std::max(0, (iconSize - static_cast<int>(text.cy)) / 2);
  const int buttonTop =
      std::max(margin + iconSize, textTop + static_cast<int>(text.cy)) + margin + Scale(4, dpi_);
  const int clientHeight = buttonTop + buttonHeight + margin;

  Place(icon, margin, margin, iconSize, iconSize);
  Place(textControl, textLeft, textTop, text.cx, text.cy);
  int x = (clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    Place(GetDlgItem(dialog_, kDialogFirstButtonId + i), x, buttonTop, buttonWidth, buttonHeight);
    x += buttonWidth + buttonGap;
  }

  SetClientSize(dialog_, {clientWidth, clientHeight}, dpi_, nullptr);
  if (centre)
    CentreOnWorkArea(dialog_, reference);
}

void TMessageDialog::Press(int buttonIndex) {
  if (buttonIndex < 0 || buttonIndex >= static_cast<int>(spec_.Buttons.size()))
    return;
  answered_ = true;
  EndDialog(dialog_, spec_.Buttons[static_cast<size_t>(buttonIndex)].Result);
}

} // namespace ui::win32

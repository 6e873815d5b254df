// The modal message dialog and its message loop.
#include "platform/ui/win32/MessageDialog.h"

#include <algorithm>

namespace ui::win32 {
namespace {

constexpr int kFirstButtonId = 1000;
constexpr int kIconSize = 32;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

LPCSTR SystemIcon(TDialogIcon icon) {
  switch (icon) {
  case TDialogIcon::Hand:
    return MAKEINTRESOURCEA(32513); // IDI_HAND
  case TDialogIcon::Asterisk:
    return MAKEINTRESOURCEA(32516); // IDI_ASTERISK
  case TDialogIcon::Question:
    return MAKEINTRESOURCEA(32514); // IDI_QUESTION
  case TDialogIcon::Exclamation:
    break;
  }
  return MAKEINTRESOURCEA(32515); // IDI_EXCLAMATION
}

// The size of the text word-wrapped to at most maxWidth pixels; "\r" breaks
// lines, as the Static control that shows it breaks them.
SIZE WrappedTextSize(const std::string& text, HFONT font, int maxWidth) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT rect = {0, 0, maxWidth, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, int id,
                 const RECT& rect, HFONT font) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  if (child && font)
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

} // namespace

TMessageDialog::TMessageDialog(const TDialogSpec& spec, HWND owner, HFONT font)
    : spec_(spec), owner_(owner), font_(font) {}

bool TMessageDialog::CreateWindows() {
  if (!RegisterWindowClass(kMessageDialogClass, nullptr))
    return false;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const SIZE text = WrappedTextSize(spec_.Text, font_, std::max(screenWidth / 2, 100));

  const int count = static_cast<int>(spec_.Buttons.size());
  const int rowWidth = count * kDialogButtonWidth + std::max(count - 1, 0) * kDialogButtonGap;
  const int textLeft = kDialogMargin * 2 + kIconSize;
  const int clientWidth =
      std::max(textLeft + static_cast<int>(text.cx) + kDialogMargin, rowWidth + 2 * kDialogMargin);
  const int textTop = kDialogMargin + std::max(0, (kIconSize - static_cast<int>(text.cy)) / 2);
  const int buttonTop =
      std::max(kDialogMargin + kIconSize, textTop + static_cast<int>(text.cy)) + kDialogMargin + 4;
  const int clientHeight = buttonTop + kDialogButtonHeight + kDialogMargin;

  RECT frame = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (!Create(kExStyle, kMessageDialogClass, spec_.Caption.c_str(), kStyle,
              (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, owner_))
    return false;

  const HWND dialog = Handle();
  HWND icon = CreateChild(
      dialog, "Static", "", SS_ICON, -1,
      {kDialogMargin, kDialogMargin, kDialogMargin + kIconSize, kDialogMargin + kIconSize},
      nullptr);
  SendMessageA(icon, STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconA(nullptr, SystemIcon(spec_.Icon))), 0);
  CreateChild(dialog, "Static", spec_.Text.c_str(), SS_LEFT | SS_NOPREFIX, -1,
              {textLeft, textTop, textLeft + text.cx, textTop + text.cy}, font_);
  int x = (clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    const DWORD style = WS_TABSTOP | (i == spec_.DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateChild(dialog, "Button", spec_.Buttons[i].Caption.c_str(), style, kFirstButtonId + i,
                {x, buttonTop, x + kDialogButtonWidth, buttonTop + kDialogButtonHeight}, font_);
    x += kDialogButtonWidth + kDialogButtonGap;
  }
  return true;
}

int TMessageDialog::Run() {
  // A dialog nobody saw has no answer; the close box's answer would be taken
  // for a choice (Retry, for the file error dialog).
  if (!CreateWindows())
    return kNoDialogAnswer;
  const bool ownerWasEnabled = owner_ && !EnableWindow(owner_, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // The focus starts on the default button, else the cancel button, else the first.
  const int focused = spec_.DefaultButton >= 0  ? spec_.DefaultButton
                      : spec_.CancelButton >= 0 ? spec_.CancelButton
                                                : 0;
  if (HWND button = GetDlgItem(Handle(), kFirstButtonId + focused))
    SetFocus(button);

  MSG message;
  while (!result_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT: no answer, and the message left for the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      result_ = kNoDialogAnswer;
      break;
    }
    if (got < 0)
      break;
    if (TranslateKey(message) || IsDialogMessageA(Handle(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (owner_ && ownerWasEnabled)
    EnableWindow(owner_, TRUE);
  ShowWindow(Handle(), SW_HIDE);
  if (owner_)
    SetActiveWindow(owner_);
  DestroyWindow(Handle());
  return result_.value_or(kNoDialogAnswer);
}

bool TMessageDialog::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN)
    return false;
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
    return false;
  if (message.wParam == VK_RETURN) {
    Press(spec_.DefaultButton);
    return true;
  }
  if (message.wParam == VK_ESCAPE) {
    Press(spec_.CancelButton);
    return true;
  }
  return false;
}

void TMessageDialog::Press(int buttonIndex) {
  if (buttonIndex >= 0 && buttonIndex < static_cast<int>(spec_.Buttons.size()))
    result_ = spec_.Buttons[buttonIndex].Result;
}

bool TMessageDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
  case WM_COMMAND: {
    const int index = LOWORD(wParam) - kFirstButtonId;
    if (HIWORD(wParam) == BN_CLICKED && index >= 0 &&
        index < static_cast<int>(spec_.Buttons.size()))
      Press(index);
    // IsDialogMessage's own IDOK and IDCANCEL are not answers: Enter and Esc
    // are taken before it sees them.
    result = 0;
    return true;
  }
  case WM_CLOSE:
    result_ = spec_.CloseBoxResult;
    result = 0;
    return true;
  default:
    return false;
  }
}

} // namespace ui::win32

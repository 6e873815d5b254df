// The modal message dialog (window class "TMessageForm"): a system icon, the
// text, a centred row of buttons; Enter and Esc press the buttons the dialog
// description names, the close box gives its own result.
#pragma once

#include "platform/ui/View.h"
#include "platform/ui/win32/Window.h"

#include <optional>

namespace ui::win32 {

inline constexpr char kMessageDialogClass[] = "TMessageForm";

// The metrics of the dialog's layout, in pixels.
inline constexpr int kDialogMargin = 12;
inline constexpr int kDialogButtonWidth = 75;
inline constexpr int kDialogButtonHeight = 23;
inline constexpr int kDialogButtonGap = 6;

class TMessageDialog : public TWindow {
public:
  // owner is disabled while the dialog is up; font is used for every text.
  TMessageDialog(const TDialogSpec& spec, HWND owner, HFONT font);

  // Shows the dialog and runs its message loop (which keeps delivering the
  // owner's timers) until a button or the close box answers; the result, or
  // kNoDialogAnswer when the dialog cannot be created or the program quits.
  int Run();

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  bool CreateWindows();
  // Enter and Esc, before the dialog manager sees them; true when taken.
  bool TranslateKey(const MSG& message);
  void Press(int buttonIndex);

  const TDialogSpec& spec_;
  HWND owner_;
  HFONT font_;
  std::optional<int> result_;
};

} // namespace ui::win32

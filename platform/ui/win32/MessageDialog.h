// The modal message dialog: a real dialog box of the private dialog class
// "TMessageForm", built from a template in memory and run by the system's
// dialog manager, so that it behaves as every Windows dialog does: Enter
// presses the focused push button, else the default button; Esc presses the
// cancel button; Tab, arrows and the buttons' accelerators move and press;
// screen readers announce it as a dialog and read its text. The close box
// gives the description's own result.
#pragma once

#include "platform/ui/View.h"
#include "platform/ui/win32/Accessible.h"
#include "platform/win32/WindowsSupport.h"

#include <vector>

namespace ui::win32 {

inline constexpr char kMessageDialogClass[] = "TMessageForm";
// What Run answers when the dialog cannot be shown: no button was pressed.
inline constexpr int kDialogNotShown = ui::kNoDialogAnswer;

// The metrics of the dialog's layout, in pixels at 96 DPI.
inline constexpr int kDialogMargin = 12;
inline constexpr int kDialogButtonWidth = 75;
inline constexpr int kDialogButtonHeight = 23;
inline constexpr int kDialogButtonGap = 6;
inline constexpr int kDialogIconSize = 32;
// The ID of the dialog's first button; the others follow in display order.
inline constexpr int kDialogFirstButtonId = 1000;

class TMessageDialog {
public:
  // owner is disabled while the dialog is up; the font, the icon and the
  // metrics are those of dpi, and of the DPI of any monitor the dialog is
  // moved to afterwards.
  TMessageDialog(const TDialogSpec& spec, HWND owner, int dpi);
  ~TMessageDialog();
  TMessageDialog(const TMessageDialog&) = delete;
  TMessageDialog& operator=(const TMessageDialog&) = delete;

  // Shows the dialog and runs the dialog manager's modal loop (which keeps
  // delivering the owner's timers) until a button or the close box answers;
  // the result, or kDialogNotShown when the dialog could not be created.
  int Run();

private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise();
  TAccessibleSpec DialogAccessibility() const;
  // The font, the icon and the layout for dpi_; suggested is where the
  // system proposes to move the dialog, or null at its creation.
  void ApplyDpi(const RECT* suggested);
  // Sizes the dialog and places its controls; centred on the screen when
  // centre is set, else left where it is.
  void Layout(bool centre);
  void Press(int buttonIndex);
  std::vector<WORD> BuildTemplate() const;

  const TDialogSpec& spec_;
  HWND owner_;
  int dpi_;
  // Owned; the wizard's fonts may change under an open dialog.
  HFONT font_ = nullptr;
  HICON icon_ = nullptr;
  bool ownsIcon_ = false;
  HWND dialog_ = nullptr;
  // Screen readers are told it is a dialog, and its text; the class is not
  // "#32770", which is how the system's own proxy would know.
  TAccessibleObject* accessible_ = nullptr;
  // Set by a button or the close box: only they answer.
  bool answered_ = false;
};

} // namespace ui::win32

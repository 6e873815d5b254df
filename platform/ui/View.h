// The wizard's view seam: everything the wizard form shows goes through
// TView, and everything the user does comes back as a call on TViewEvents.
// The view renders and forwards; it holds no rule of its own. Two views
// implement it: platform/ui/win32 with real controls, platform/ui/headless
// for the tests and the native program.
#pragma once

#include "platform/MessageText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// Every control the form addresses, named as the form names them. The
// static labels whose text never changes are here too, so that every text
// the user reads comes from the wizard and none from the view.
enum class TControl : uint8_t {
  Form,   // the window itself: its caption
  TopLbl, // the banner's page title
  LogoSmallImage,
  LogoImage,
  BackBtn,
  NextBtn,
  CancelBtn,
  // page 0
  WelcomeLbl,
  // page 1
  LicenseLbl,
  LicenseMemo,
  LicenseChkBx,
  // page 2
  DestDirLbl,
  DestDirEdt,
  DestDirLstBx, // folder list: rows with pictures and indents
  DestDirCmbBx, // drive box: rows with pictures
  // page 3
  SelCompLbl,
  SelCompLstBx, // check list
  SelCompDiskSpaceReqLbl1,
  SelCompDiskSpaceReqLbl2,
  SelCompDiskSpaceAvailLbl1,
  SelCompDiskSpaceAvailLbl2,
  // page 4
  StartLbl,
  InstallToAllChkBx,
  // page 5
  InstallingLbl1,
  InstallingLbl2,
  InstallingProgressBar,
  // page 6
  AssocLbl,
  AssocChkBx1,
  AssocChkBx2,
  AssocChkBx3,
  AssocChkBx4,
  // page 7
  FinishLbl,
  FinishChkBx,
  Count
};

// The pictures a list row can carry (bitmap resources of the same names).
enum class TPicture : uint8_t { None, OpenFolder, ClosedFolder, FixedDrive, RemovableDrive };

// A row of the folder list or the drive box.
struct TListRow {
  std::string Text; // what the row shows and what a screen reader reads
  TPicture Picture = TPicture::None;
  int Indent = 0; // pixels from the row's left edge to the picture
  bool operator==(const TListRow&) const = default;
};

// A row of the check list: the check box drawn by the list, then the name on
// the left and the size text on the right.
struct TCheckRow {
  std::string Name;
  std::string SizeText;
  uint8_t State = 0;     // 0 unchecked, 1 checked, 2 grayed (ticked and dimmed)
  bool GrayText = false; // the name drawn in the system's grey-text colour
  bool operator==(const TCheckRow&) const = default;
};

// The kinds' system icons of the message dialog.
enum class TDialogIcon : uint8_t { Exclamation, Hand, Asterisk, Question };

struct TDialogButton {
  std::string Caption; // "&" marks the accelerator
  int Result;          // what the dialog returns when it is pressed
};

// What ShowDialog returns when nobody answered: the dialog could not be
// shown, or the program is quitting. No button gives it.
inline constexpr int kNoDialogAnswer = 0;

// A message dialog fully described by the wizard: the view lays it out and
// returns the result of the button pressed, CloseBoxResult when the user
// closes it with the title-bar close box, or kNoDialogAnswer.
struct TDialogSpec {
  std::string Caption;
  TDialogIcon Icon = TDialogIcon::Exclamation;
  platform::MessageText Text;         // "\r" breaks a line; names in the system's code page
  std::vector<TDialogButton> Buttons; // display order
  int DefaultButton = -1;             // index pressed by Enter; -1: Enter does nothing
  int CancelButton = -1;              // index pressed by Esc; -1: Esc does nothing
  int CloseBoxResult = 2;
};

// What the user does, delivered to the form on the user-interface thread.
class TViewEvents {
public:
  virtual ~TViewEvents() = default;
  // A button pressed: BackBtn, NextBtn, CancelBtn. The view forwards Enter as
  // NextBtn and Esc as CancelBtn only while that button is enabled.
  virtual void ButtonClicked(TControl button) = 0;
  // A row of the check list toggled: a mouse press in its check-box strip,
  // or Space on the current row.
  virtual void CheckRowToggled(TControl list, int row) = 0;
  // A row of the folder list or the drive box chosen by the user (a click or
  // a keyboard move of the selection).
  virtual void ListRowChosen(TControl list, int row) = 0;
  virtual void TimerFired(int timerId) = 0;
  // WM_ACTIVATEAPP: the application is being activated (true) or deactivated.
  virtual void ApplicationActivated(bool active) = 0;
  // The title-bar close box (or Alt+F4).
  virtual void CloseRequested() = 0;
  // True once the form has accepted a close: the view's modal run ends.
  virtual bool Closed() const = 0;
  // The user's session is about to end (log-off, shut-down): false asks the
  // system to keep it, giving reason (cp1252) where the system shows one.
  virtual bool SessionEndAllowed(std::string& reason) {
    (void)reason;
    return true;
  }
  // The session ends now: by the time this returns the form has closed and
  // whatever follows it is done, since the process may end right after.
  virtual void SessionEnding() {}
};

// What the form shows. Texts are cp1252 byte strings, but for the edit box
// and the list rows, which hold names in the system's code page, and the
// message dialog's text, whose parts say which they are.
class TView {
public:
  virtual ~TView() = default;

  // The form's window caption, a label's or button's text, the edit box's text.
  virtual void SetText(TControl control, const std::string& text) = 0;
  // The name screen readers give a control that has no label of its own
  // ("&" marks an accelerator, as in a label).
  virtual void SetAccessibleName(TControl, const std::string&) {}
  // The edit box's text as the user left it.
  virtual std::string Text(TControl control) const = 0;
  // The read-only memo's lines.
  virtual void SetLines(TControl control, const std::vector<std::string>& lines) = 0;
  virtual void SetEnabled(TControl control, bool enabled) = 0;
  virtual void SetVisible(TControl control, bool visible) = 0;
  // A check box's state.
  virtual void SetChecked(TControl control, bool checked) = 0;
  virtual bool Checked(TControl control) const = 0;
  virtual void SetFocus(TControl control) = 0;
  // One of the page sheets 0 to 7 on show.
  virtual void ShowPage(int page) = 0;
  // An image control gets the PNG resource of that name.
  virtual void SetImage(TControl control, const std::string& pngResource) = 0;

  // Folder list and drive box: the rows, and the selected row (-1: none).
  virtual void SetRows(TControl list, const std::vector<TListRow>& rows) = 0;
  virtual void SetSelectedRow(TControl list, int row) = 0;
  // Check list: every row redrawn, and the current row.
  virtual void SetCheckRows(TControl list, const std::vector<TCheckRow>& rows) = 0;
  virtual void SetCurrentRow(TControl list, int row) = 0;

  virtual void SetProgressRange(TControl bar, int32_t max) = 0;
  virtual void SetProgressPosition(TControl bar, int32_t position) = 0;

  // The system wait cursor on (until set off) or off.
  virtual void SetWaitCursor(bool wait) = 0;
  // Window timers on the form: TimerFired(id) every intervalMs until stopped.
  virtual void StartTimer(int id, unsigned intervalMs) = 0;
  virtual void StopTimer(int id) = 0;

  // The modal message dialog; timers keep firing while it is up.
  virtual int ShowDialog(const TDialogSpec& dialog) = 0;

  // Shows the form and runs it modally until events.Closed(); then hides it.
  virtual void RunModal(TViewEvents& events) = 0;
};

} // namespace ui

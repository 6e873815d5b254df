// A view without a window: it keeps the state of every control, lets a test
// (or the native program) act as the user would — press enabled buttons,
// tick boxes, choose rows, type, fire timers, close the window — answers
// message dialogs from a queue given in advance, and records every dialog
// and every page shown.
#pragma once

#include "platform/ui/View.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ui {

struct THeadlessControl {
  std::string Text;
  int TextSets = 0; // SetText calls, changed or not
  std::vector<std::string> Lines;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  std::vector<TListRow> Rows;
  int SelectedRow = -1;
  std::vector<TCheckRow> CheckRows;
  int CurrentRow = -1;
  int32_t ProgressMax = 0;
  int32_t ProgressPosition = 0;
  std::string Image;
};

// How a queued answer closes a dialog.
struct THeadlessAnswer {
  enum class TKind { Button, Enter, Esc, CloseBox } Kind = TKind::Button;
  std::string Caption; // for Button: the button's caption, "&" included
};

struct THeadlessDialog {
  TDialogSpec Spec;
  int Result = 0;
  bool Unexpected = false; // no queued answer could close it: answered by the close box
};

class THeadlessView : public TView {
public:
  // TView
  void SetText(TControl control, const std::string& text) override;
  std::string Text(TControl control) const override;
  void SetLines(TControl control, const std::vector<std::string>& lines) override;
  void SetEnabled(TControl control, bool enabled) override;
  void SetVisible(TControl control, bool visible) override;
  void SetChecked(TControl control, bool checked) override;
  bool Checked(TControl control) const override;
  void SetFocus(TControl control) override;
  void ShowPage(int page) override;
  void SetImage(TControl control, const std::string& pngResource) override;
  void SetRows(TControl list, const std::vector<TListRow>& rows) override;
  void SetSelectedRow(TControl list, int row) override;
  void SetCheckRows(TControl list, const std::vector<TCheckRow>& rows) override;
  void SetCurrentRow(TControl list, int row) override;
  void SetProgressRange(TControl bar, int32_t max) override;
  void SetProgressPosition(TControl bar, int32_t position) override;
  void SetWaitCursor(bool wait) override;
  void StartTimer(int id, unsigned intervalMs) override;
  void StopTimer(int id) override;
  int ShowDialog(const TDialogSpec& dialog) override;
  // Attaches events and runs Script, if any; the run ends when it returns.
  void RunModal(TViewEvents& events) override;

  // Where the user's actions go (RunModal attaches its events too).
  void Attach(TViewEvents& events) { Events_ = &events; }

  // The user's actions. Each answers false, doing nothing, when a person
  // could not do it: a hidden or disabled control, a row that is not there,
  // a timer that is not running.
  bool Press(TControl button);
  bool PressEnter(); // NextBtn
  bool PressEsc();   // CancelBtn
  void UseCloseBox();
  bool Tick(TControl box, bool checked);
  bool ToggleCheckRow(TControl list, int row);
  bool ChooseRow(TControl list, int row);
  bool Type(TControl edit, const std::string& text);
  bool FireTimer(int id);
  void Activate(bool active);

  // Answers for the next dialogs, in order. Enter or Esc that press nothing
  // in a dialog are used up and the next answer is tried.
  void Answer(const std::string& buttonCaption);
  void AnswerEnter();
  void AnswerEsc();
  void AnswerCloseBox();
  size_t PendingAnswers() const { return Answers_.size(); }
  void ClearAnswers() { Answers_.clear(); }
  // Runs while a dialog is up, before it is answered (the timers keep
  // firing there on a real desktop).
  std::function<void(const TDialogSpec&)> WhileDialogShown;

  // What was shown.
  const THeadlessControl& Control(TControl control) const;
  const std::vector<THeadlessDialog>& Dialogs() const { return Dialogs_; }
  size_t UnexpectedDialogs() const;
  const std::vector<int>& PagesShown() const { return Pages_; }
  int Page() const { return Page_; }
  TControl Focus() const { return Focus_; }
  bool WaitCursor() const { return WaitCursor_; }
  int WaitCursorShown() const { return WaitCursorShown_; }
  bool TimerRunning(int id) const { return Timers_.count(id) != 0; }
  unsigned TimerInterval(int id) const;
  // Called after each ShowPage (the title and buttons are set by then).
  std::function<void(int page)> OnPageShown;
  // What RunModal runs; it acts on the view like the user.
  std::function<void(THeadlessView&)> Script;

private:
  THeadlessControl& At(TControl control);
  bool Usable(TControl control) const;
  // The result the next answers give for dialog; false when none fits.
  bool NextAnswer(const TDialogSpec& dialog, int& result);

  std::array<THeadlessControl, size_t(TControl::Count)> Controls_{};
  TViewEvents* Events_ = nullptr;
  std::deque<THeadlessAnswer> Answers_;
  std::vector<THeadlessDialog> Dialogs_;
  std::vector<int> Pages_;
  std::map<int, unsigned> Timers_;
  int Page_ = -1;
  TControl Focus_ = TControl::Count;
  bool WaitCursor_ = false;
  int WaitCursorShown_ = 0;
};

} // namespace ui

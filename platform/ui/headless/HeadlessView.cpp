// The headless view: control state kept in memory, user actions forwarded
// to the form as the Win32 view would forward them, dialogs answered from
// a queue.
#include "platform/ui/headless/HeadlessView.h"

namespace ui {

namespace {

// The page whose sheet holds the control; -1 for the controls around the sheets.
int PageOf(TControl c) {
  if (c < TControl::WelcomeLbl || c >= TControl::Count)
    return -1;
  if (c < TControl::LicenseLbl)
    return 0;
  if (c < TControl::DestDirLbl)
    return 1;
  if (c < TControl::SelCompLbl)
    return 2;
  if (c < TControl::StartLbl)
    return 3;
  if (c < TControl::InstallingLbl1)
    return 4;
  if (c < TControl::AssocLbl)
    return 5;
  if (c < TControl::FinishLbl)
    return 6;
  return 7;
}

} // namespace

THeadlessControl& THeadlessView::At(TControl control) {
  return Controls_[size_t(control)];
}

const THeadlessControl& THeadlessView::Control(TControl control) const {
  return Controls_[size_t(control)];
}

bool THeadlessView::Usable(TControl control) const {
  const THeadlessControl& c = Control(control);
  const int page = PageOf(control);
  return control < TControl::Count && c.Enabled && c.Visible && (page < 0 || page == Page_);
}

void THeadlessView::SetText(TControl control, const std::string& text) {
  At(control).Text = text;
  ++At(control).TextSets;
}

std::string THeadlessView::Text(TControl control) const {
  return Control(control).Text;
}

void THeadlessView::SetLines(TControl control, const std::vector<std::string>& lines) {
  At(control).Lines = lines;
}

void THeadlessView::SetEnabled(TControl control, bool enabled) {
  At(control).Enabled = enabled;
}

void THeadlessView::SetVisible(TControl control, bool visible) {
  At(control).Visible = visible;
}

void THeadlessView::SetChecked(TControl control, bool checked) {
  At(control).Checked = checked;
}

bool THeadlessView::Checked(TControl control) const {
  return Control(control).Checked;
}

void THeadlessView::SetFocus(TControl control) {
  Focus_ = control;
}

void THeadlessView::ShowPage(int page) {
  Page_ = page;
  Pages_.push_back(page);
  if (OnPageShown)
    OnPageShown(page);
}

void THeadlessView::SetImage(TControl control, const std::string& pngResource) {
  At(control).Image = pngResource;
}

void THeadlessView::SetRows(TControl list, const std::vector<TListRow>& rows) {
  At(list).Rows = rows;
  At(list).SelectedRow = -1;
}

void THeadlessView::SetSelectedRow(TControl list, int row) {
  At(list).SelectedRow = row;
}

void THeadlessView::SetCheckRows(TControl list, const std::vector<TCheckRow>& rows) {
  At(list).CheckRows = rows;
}

void THeadlessView::SetCurrentRow(TControl list, int row) {
  At(list).CurrentRow = row;
}

void THeadlessView::SetProgressRange(TControl bar, int32_t max) {
  At(bar).ProgressMax = max;
}

void THeadlessView::SetProgressPosition(TControl bar, int32_t position) {
  At(bar).ProgressPosition = position;
}

void THeadlessView::SetWaitCursor(bool wait) {
  WaitCursor_ = wait;
  if (wait)
    ++WaitCursorShown_;
}

void THeadlessView::StartTimer(int id, unsigned intervalMs) {
  Timers_[id] = intervalMs;
}

void THeadlessView::StopTimer(int id) {
  Timers_.erase(id);
}

unsigned THeadlessView::TimerInterval(int id) const {
  const auto it = Timers_.find(id);
  return it == Timers_.end() ? 0 : it->second;
}

bool THeadlessView::NextAnswer(const TDialogSpec& dialog, int& result) {
  while (!Answers_.empty()) {
    const THeadlessAnswer answer = Answers_.front();
    Answers_.pop_front();
    int index = -1;
    switch (answer.Kind) {
    case THeadlessAnswer::TKind::CloseBox:
      result = dialog.CloseBoxResult;
      return true;
    case THeadlessAnswer::TKind::Enter:
      index = dialog.DefaultButton;
      break;
    case THeadlessAnswer::TKind::Esc:
      index = dialog.CancelButton;
      break;
    case THeadlessAnswer::TKind::Button:
      for (size_t i = 0; i < dialog.Buttons.size(); ++i) {
        if (dialog.Buttons[i].Caption == answer.Caption)
          index = int(i);
      }
      if (index < 0)
        return false; // a button the dialog does not have: not the dialog expected
      break;
    }
    if (index >= 0 && index < int(dialog.Buttons.size())) {
      result = dialog.Buttons[size_t(index)].Result;
      return true;
    }
  }
  return false;
}

int THeadlessView::ShowDialog(const TDialogSpec& dialog) {
  if (WhileDialogShown)
    WhileDialogShown(dialog);
  THeadlessDialog shown{dialog, dialog.CloseBoxResult, false};
  if (!NextAnswer(dialog, shown.Result)) {
    shown.Unexpected = true;
    shown.Result = dialog.CloseBoxResult;
  }
  Dialogs_.push_back(shown);
  return shown.Result;
}

size_t THeadlessView::UnexpectedDialogs() const {
  size_t count = 0;
  for (const THeadlessDialog& d : Dialogs_)
    count += d.Unexpected ? 1 : 0;
  return count;
}

void THeadlessView::RunModal(TViewEvents& events) {
  Attach(events);
  if (Script)
    Script(*this);
}

bool THeadlessView::Press(TControl button) {
  if (!Events_ || !Usable(button))
    return false;
  Events_->ButtonClicked(button);
  return true;
}

bool THeadlessView::PressEnter() {
  return Press(TControl::NextBtn);
}

bool THeadlessView::PressEsc() {
  return Press(TControl::CancelBtn);
}

void THeadlessView::UseCloseBox() {
  if (Events_)
    Events_->CloseRequested();
}

bool THeadlessView::Tick(TControl box, bool checked) {
  if (!Usable(box))
    return false;
  At(box).Checked = checked;
  return true;
}

bool THeadlessView::ToggleCheckRow(TControl list, int row) {
  if (!Events_ || !Usable(list) || row < 0 || row >= int(Control(list).CheckRows.size()))
    return false;
  Events_->CheckRowToggled(list, row);
  return true;
}

bool THeadlessView::ChooseRow(TControl list, int row) {
  if (!Events_ || !Usable(list) || row < 0 || row >= int(Control(list).Rows.size()))
    return false;
  At(list).SelectedRow = row;
  Events_->ListRowChosen(list, row);
  return true;
}

bool THeadlessView::Type(TControl edit, const std::string& text) {
  if (!Usable(edit))
    return false;
  At(edit).Text = text;
  return true;
}

bool THeadlessView::FireTimer(int id) {
  if (!Events_ || !TimerRunning(id))
    return false;
  Events_->TimerFired(id);
  return true;
}

void THeadlessView::Activate(bool active) {
  if (Events_)
    Events_->ApplicationActivated(active);
}

void THeadlessView::Answer(const std::string& buttonCaption) {
  Answers_.push_back({THeadlessAnswer::TKind::Button, buttonCaption});
}

void THeadlessView::AnswerEnter() {
  Answers_.push_back({THeadlessAnswer::TKind::Enter, ""});
}

void THeadlessView::AnswerEsc() {
  Answers_.push_back({THeadlessAnswer::TKind::Esc, ""});
}

void THeadlessView::AnswerCloseBox() {
  Answers_.push_back({THeadlessAnswer::TKind::CloseBox, ""});
}

} // namespace ui

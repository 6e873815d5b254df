// The wizard form's construction, its events and its closing protocol.
#include "wizard/MainDlg.h"

#include "engine/InstallStatus.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/InstUtils.h"
#include "integration/Settings.h"
#include "platform/Constants.h"
#include "wizard/DialogView.h"
#include "wizard/InstallControl.h"
#include "wizard/MessageDialog.h"
#include "wizard/ResConst.h"

using ui::TControl;

namespace {

constexpr int kInstallTimer = 1;
constexpr int kDriveTimer = 2;

} // namespace

TMainDlgForm::TMainDlgForm(ui::TView& view, TAttachedFiles& files,
                           const std::vector<std::string>& args)
    : View_(view), Files_(files), DestDirLstBx_(view, TControl::DestDirLstBx),
      DestDirCmbBx_(view, TControl::DestDirCmbBx) {
  ShowMessageDialogsIn(View_);
  SetUserInterfaceThread(ShowMessageDialog);
  SetStaticTexts();
  View_.SetImage(TControl::LogoSmallImage, "LOGOSMALL");
  View_.SetImage(TControl::LogoImage, "LOGO");
  View_.SetText(TControl::WelcomeLbl, WelcomeText());
  View_.SetText(TControl::FinishLbl, FinishText());
  ReadSettings(args);
  ShowSettings();
  SetUpDestination();
  View_.SetText(TControl::SelCompLbl, res::SelCompLbl);
  View_.StartTimer(kInstallTimer, 100);
  View_.StartTimer(kDriveTimer, 1000);
  GoToPage(kNoPage, 0);
  Initialized_ = true;
}

TMainDlgForm::~TMainDlgForm() {
  View_.StopTimer(kInstallTimer);
  View_.StopTimer(kDriveTimer);
  SetMessageDialogHandler(nullptr);
}

void TMainDlgForm::SetStaticTexts() {
  View_.SetText(TControl::Form, SetupTitle);
  View_.SetText(TControl::LicenseLbl, res::LicenseLbl);
  View_.SetText(TControl::LicenseChkBx, res::LicenseChkBx);
  View_.SetText(TControl::DestDirLbl, res::DestDirLbl);
  View_.SetAccessibleName(TControl::DestDirLstBx, res::DestDirLstBxName);
  View_.SetAccessibleName(TControl::DestDirCmbBx, res::DestDirCmbBxName);
  View_.SetAccessibleName(TControl::SelCompLstBx, res::SelCompLbl);
  View_.SetText(TControl::SelCompDiskSpaceReqLbl1, res::SelCompDiskSpaceReqLbl1);
  View_.SetText(TControl::SelCompDiskSpaceAvailLbl1, res::SelCompDiskSpaceAvailLbl1);
  View_.SetText(TControl::StartLbl, res::StartLbl);
  View_.SetText(TControl::InstallToAllChkBx, res::InstallToAllChkBx);
  View_.SetText(TControl::InstallingLbl1, res::InstallingLbl1);
  View_.SetText(TControl::InstallingLbl2, "");
  View_.SetText(TControl::AssocLbl, res::AssocLbl);
  const TControl assoc[4] = {TControl::AssocChkBx1, TControl::AssocChkBx2, TControl::AssocChkBx3,
                             TControl::AssocChkBx4};
  for (int i = 0; i < 4; ++i)
    View_.SetText(assoc[i], res::AssocChkBx[i]);
  View_.SetText(TControl::FinishChkBx, res::FinishChkBx);
  View_.SetText(TControl::BackBtn, res::BackBtn);
  View_.SetText(TControl::NextBtn, res::NextBtn);
  View_.SetText(TControl::CancelBtn, res::CancelBtn);
}

// A first argument of exactly "-d" names no folder; the default folder is
// proposed instead of an empty one, which no list could show.
void TMainDlgForm::ReadSettings(const std::vector<std::string>& args) {
  ReadRegistrySettings(State_, args);
  if (State_.Options.InstallDir.empty())
    State_.Options.InstallDir = JoinPath(GetSpecialFolder(csidl::kProgramFiles), "Brevanto");
  for (int i = 0; i < kComponentCount; ++i)
    CompIndexList_.push_back(i);
  CompSizes_.assign(CompIndexList_.size(), 0);
}

void TMainDlgForm::ShowSettings() {
  ShowComponentRows();
  View_.SetCurrentRow(TControl::SelCompLstBx, 1);
  View_.SetChecked(TControl::LicenseChkBx, true);
  View_.SetChecked(TControl::InstallToAllChkBx, State_.InstallToAllChkBx);
  View_.SetChecked(TControl::FinishChkBx, State_.FinishChkBx);
}

void TMainDlgForm::SetUpDestination() {
  View_.SetText(TControl::DestDirEdt, State_.Options.InstallDir);
  DestDirLstBx_.SetDriveBox(&DestDirCmbBx_);
  DestDirCmbBx_.SetDirList(&DestDirLstBx_);
  DestDirLstBx_.OnChange = [this] { DestDirLstBxChange(); };
  DestDirLstBx_.SetDirectory(State_.Options.InstallDir);
  CreateDestDirWindows(DestDirCmbBx_, DestDirLstBx_);
}

void TMainDlgForm::DestDirLstBxChange() {
  if (!Initialized_)
    return;
  View_.SetText(TControl::DestDirEdt,
                NormalizeDestDir(DestDirLstBx_.Directory(), DestDirCmbBx_.Drive()));
}

template <class F> void TMainDlgForm::Dispatch(F&& handler) {
  if (Closed_)
    return;
  ++Depth_;
  handler();
  --Depth_;
  if (Depth_ == 0)
    CheckModalResult();
}

// The question runs its own message loop, where the timers keep firing: the
// depth stays raised meanwhile, so that their events do not put it again.
void TMainDlgForm::CheckModalResult() {
  if (Closed_ || ModalResult_ == 0)
    return;
  bool canClose = true;
  ++Depth_;
  FormCloseQuery(canClose);
  --Depth_;
  if (canClose) {
    ReadCheckBoxes();
    Closed_ = true;
  } else {
    ModalResult_ = 0;
  }
}

void TMainDlgForm::ButtonClicked(TControl button) {
  Dispatch([&] {
    if (button == TControl::BackBtn || button == TControl::NextBtn)
      BNClick(button);
    else if (button == TControl::CancelBtn)
      CancelBtnClick();
  });
}

void TMainDlgForm::CheckRowToggled(TControl list, int row) {
  Dispatch([&] {
    if (list != TControl::SelCompLstBx || row < 0 || row >= int(CompIndexList_.size()))
      return;
    TCheckState& state = State_.CompStates[CompIndexList_[row]];
    state = state == cbUnchecked ? cbChecked : cbUnchecked;
    View_.SetCurrentRow(TControl::SelCompLstBx, row);
    SelCompLstBxClickCheck();
  });
}

void TMainDlgForm::ListRowChosen(TControl list, int row) {
  Dispatch([&] {
    if (list == TControl::DestDirLstBx)
      DestDirLstBx_.RowChosen(row);
    else if (list == TControl::DestDirCmbBx)
      DestDirCmbBx_.RowChosen(row);
  });
}

void TMainDlgForm::TimerFired(int timerId) {
  Dispatch([&] { WMTimer(timerId); });
}

void TMainDlgForm::ApplicationActivated(bool active) {
  Dispatch([&] { WMActivateApp(active); });
}

// The close box: the question first; an accepted close ends the modal run
// with Cancel. A close asked for while a dialog is up (the taskbar's "Close
// window" reaches the disabled wizard too) is not a second question over the
// first.
void TMainDlgForm::CloseRequested() {
  Dispatch([&] {
    if (ModalResult_ != 0 || MessageDialogShown())
      return;
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose)
      return;
    ModalResult_ = dlg::kCancel;
    ReadCheckBoxes();
    Closed_ = true;
  });
}

// While the worker extracts, the end of the session is refused with a reason;
// before and after, it is allowed.
bool TMainDlgForm::SessionEndAllowed(std::string& reason) {
  const TInstallState s = InstallStatus.State();
  const bool extracting =
      InstallThread_ && (s == tsRunning || s == tsPaused || s == tsAsking || s == tsAnswered);
  if (extracting)
    reason = res::SessionEndReason;
  return !extracting;
}

// The session ends anyway: the wizard closes without a question, as the
// close box would once confirmed; an extraction stops as if abandoned. The
// settings and the log are then written before the process can be ended.
void TMainDlgForm::SessionEnding() {
  if (Closed_)
    return;
  CloseAllowed_ = true;
  if (InstallThread_)
    ResumeAfterQuestion(true);
  if (ModalResult_ == 0)
    ModalResult_ = dlg::kCancel;
  ReadCheckBoxes();
  Closed_ = true;
  if (SessionEndAction_) {
    auto action = std::move(SessionEndAction_);
    SessionEndAction_ = nullptr;
    action();
  }
}

void TMainDlgForm::BNClick(TControl sender) {
  const int page = Page_;
  GoToPage(page, sender == TControl::BackBtn ? page - 1 : page + 1);
}

void TMainDlgForm::CancelBtnClick() {
  SetModalResult(dlg::kCancel);
}

void TMainDlgForm::FormCloseQuery(bool& canClose) {
  const bool paused = PauseForQuestion();
  // The timers keep firing under the question: a close they order meanwhile
  // (the worker failed) stays ordered whatever the answer.
  if (!CloseAllowed_ &&
      ShowMessageDialog(res::CancelQuestion, mkConfirmation, mbNo | mbAbort) == dlg::kAbort)
    CloseAllowed_ = true;
  canClose = CloseAllowed_;
  // A confirmed close stops a running installation whatever state the
  // question found it in: nobody will serve the worker's requests any more.
  if (paused || (canClose && InstallThread_))
    ResumeAfterQuestion(canClose);
}

int TMainDlgForm::GetPageSheet(int page) {
  return page >= 0 && page < kClosingStep ? page : -1;
}

void TMainDlgForm::WMTimer(int timerId) {
  if (timerId == kInstallTimer)
    InstallTimerTick();
  else if (timerId == kDriveTimer)
    DriveWatchTick(DestDirCmbBx_);
}

void TMainDlgForm::WMActivateApp(bool active) {
  if (active && Page_ == 3)
    UpdateDiskSpace();
}

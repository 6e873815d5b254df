// GoToPage: the entry step of each page with its guards, the buttons, the
// title and the sheet; the licence load and the Finish click.
#include "wizard/MainDlg.h"

#include "instutils/InstUtils.h"
#include "integration/Associations.h"
#include "integration/DataFolders.h"
#include "integration/FinishActions.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "wizard/MessageDialog.h"
#include "wizard/ResConst.h"
#include "wizard/RunningCopy.h"

using ui::TControl;

namespace {

constexpr TControl kAssocBoxes[4] = {TControl::AssocChkBx1, TControl::AssocChkBx2,
                                     TControl::AssocChkBx3, TControl::AssocChkBx4};

// The control that gets the focus when a page is shown; Count for none.
TControl FocusOf(int page) {
  switch (page) {
  case 1:
    return TControl::LicenseMemo;
  case 2:
    return TControl::DestDirEdt;
  case 3:
    return TControl::SelCompLstBx;
  case 4:
    return TControl::NextBtn;
  case 6:
    return TControl::AssocChkBx1;
  default:
    return TControl::Count;
  }
}

const char* ReasonText(platform::IoStatus status) {
  switch (status) {
  case platform::IoStatus::NotFound:
    return res::ReasonNotFound;
  case platform::IoStatus::AccessDenied:
    return res::ReasonAccessDenied;
  case platform::IoStatus::SharingViolation:
    return res::ReasonSharingViolation;
  case platform::IoStatus::DiskFull:
    return res::ReasonDiskFull;
  default:
    return res::ReasonOther;
  }
}

} // namespace

void TMainDlgForm::GoToPage(int from, int to) {
  ReadCheckBoxes();
  if (to == 6 && IsPortableInstall(State_))
    to = 7;
  if (!EnterPage(from, to))
    return;
  SetButtons(to);
  if (to == 3)
    UpdateDiskSpace();
  ShowSheet(to);
  if (to == 5)
    StartInstall();
}

bool TMainDlgForm::EnterPage(int from, int to) {
  switch (to) {
  case 1:
    return from != 0 || !LicenseLines_.empty() || LoadLicence();
  case 2:
    if (from == 1 && !View_.Checked(TControl::LicenseChkBx)) {
      AskLicenceRefusal();
      return false;
    }
    return true;
  case 3:
    if (from == 2) {
      const std::string dir =
          NormalizeDestDir(View_.Text(TControl::DestDirEdt), DestDirCmbBx_.Drive());
      View_.SetText(TControl::DestDirEdt, dir);
      State_.Options.InstallDir = dir;
    }
    ComputeComponentSizes();
    return true;
  case 4:
    View_.SetVisible(TControl::InstallToAllChkBx, !IsPortableInstall(State_));
    return true;
  case 5:
    if (IsWordProcessorRunning()) {
      ShowRunningCopyMessage();
      return false;
    }
    return true;
  case 6:
    View_.SetProgressPosition(TControl::InstallingProgressBar, Files_.TotalSizeToInstall());
    ShowAssocBoxes();
    return true;
  case 7:
    FinishActions(State_);
    return true;
  case kClosingStep:
    if (FinishClick()) {
      CloseAllowed_ = true;
      SetModalResult(dlg::kOk);
    }
    return false;
  default:
    return to >= 0 && to < kClosingStep;
  }
}

void TMainDlgForm::SetButtons(int to) {
  View_.SetVisible(TControl::BackBtn, to != 0);
  View_.SetEnabled(TControl::BackBtn, to < 5);
  View_.SetText(TControl::BackBtn, res::BackBtn);
  View_.SetEnabled(TControl::NextBtn, to != 5);
  View_.SetText(TControl::NextBtn, to == 7 ? res::FinishBtn : res::NextBtn);
  View_.SetEnabled(TControl::CancelBtn, to != 7);
  View_.SetText(TControl::CancelBtn, res::CancelBtn);
}

void TMainDlgForm::ShowSheet(int to) {
  View_.SetText(TControl::TopLbl, PageTitle(to));
  Page_ = to;
  View_.ShowPage(GetPageSheet(to));
  const TControl focus = FocusOf(to);
  if (focus != TControl::Count)
    View_.SetFocus(focus);
}

// The licence goes to a temporary file without a log line, then into the
// memo. A failed extraction (the user answered Abort) closes the wizard.
bool TMainDlgForm::LoadLicence() {
  if (IsWordProcessorRunning()) {
    ShowRunningCopyMessage();
    return false;
  }
  View_.SetEnabled(TControl::NextBtn, false);
  View_.SetEnabled(TControl::CancelBtn, false);
  View_.SetWaitCursor(true);
  const std::string temp = NewTempFileName();
  SuspendLogging();
  const bool extracted = Files_.ExtractFile(nullptr, "Licence.txt", temp);
  ResumeLogging();
  if (extracted) {
    std::string text;
    if (platform::Fs().ReadFile(temp, text) == platform::IoStatus::Ok)
      LicenseLines_ = SplitLines(text);
    View_.SetLines(TControl::LicenseMemo, LicenseLines_);
  } else {
    CloseAllowed_ = true;
    SetModalResult(dlg::kCancel);
  }
  platform::Fs().RemoveFile(temp);
  View_.SetWaitCursor(false);
  return true;
}

void TMainDlgForm::AskLicenceRefusal() {
  if (ShowMessageDialog(res::LicenceRefusedQuestion, mkInformation, mbYes | mbNo) == dlg::kYes) {
    CloseAllowed_ = true;
    SetModalResult(dlg::kCancel);
  }
}

void TMainDlgForm::ShowRunningCopyMessage() {
  ShowMessageDialog(res::RunningCopyMessage, mkInformation, mbOK);
}

void TMainDlgForm::ComputeComponentSizes() {
  for (size_t row = 0; row < CompIndexList_.size(); ++row) {
    const TComponent& component = Components[CompIndexList_[row]];
    CompSizes_[row] = Files_.ComponentSize(component.FileList, State_.Options.InstallDir);
  }
  ShowComponentRows();
}

void TMainDlgForm::ShowAssocBoxes() {
  SetAssocBoxesFromExtensions(State_);
  for (int i = 0; i < 4; ++i)
    View_.SetChecked(kAssocBoxes[i], State_.AssocChkBx[i]);
}

// "&Terminer": when the update log cannot be merged, the user learns which
// file and why, nothing is launched and the wizard stays; the next click
// runs the whole click again.
bool TMainDlgForm::FinishClick() {
  TUpdateLogFailure failure;
  if (::FinishClick(State_, Files_, &failure))
    return true;
  ShowMessageDialog(
      res::UpdateLogErrorMessage(failure.Path, failure.Reading, ReasonText(failure.Status)),
      mkError, mbOK);
  return false;
}

void TMainDlgForm::ReadCheckBoxes() {
  State_.InstallToAllChkBx = View_.Checked(TControl::InstallToAllChkBx);
  State_.FinishChkBx = View_.Checked(TControl::FinishChkBx);
  if (Page_ == 6) {
    for (int i = 0; i < 4; ++i)
      State_.AssocChkBx[i] = View_.Checked(kAssocBoxes[i]);
  }
}

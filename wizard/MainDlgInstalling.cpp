// The installing page: the start of the installation and timer 1, which
// follows the worker, serves its dialogs and leaves the page when it ends.
#include "wizard/MainDlg.h"

#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "integration/InstallSession.h"
#include "platform/Constants.h"
#include "wizard/InstallControl.h"
#include "wizard/ResConst.h"

using ui::TControl;

void TMainDlgForm::StartInstall() {
  InstallThread_ = StartInstallation(State_, Files_);
  View_.SetProgressRange(TControl::InstallingProgressBar, Files_.TotalSizeToInstall());
  View_.SetProgressPosition(TControl::InstallingProgressBar, 0);
}

void TMainDlgForm::InstallTimerTick() {
  switch (::InstallTimerTick()) {
  case TInstallTick::Progress:
    ShowInstallProgress();
    break;
  case TInstallTick::Finished:
    GoToPage(5, 6);
    break;
  case TInstallTick::Failed:
    CloseAllowed_ = true;
    SetModalResult(dlg::kCancel);
    break;
  default:
    break;
  }
}

// The component's caption is set only when it changes, so that a tick
// costs nothing while one component is being written.
void TMainDlgForm::ShowInstallProgress() {
  View_.SetProgressPosition(TControl::InstallingProgressBar, InstallStatus.Position.load());
  const std::string caption = EscapeCaption(ComponentName(InstallStatus.CurComp.load()));
  if (caption == InstallingCaption_)
    return;
  InstallingCaption_ = caption;
  View_.SetText(TControl::InstallingLbl2, caption);
}

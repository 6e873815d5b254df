// The wizard's transitions on InstallStatus. Each is a compare-and-swap, so
// that a transition the worker makes at the same moment is never overwritten.
#include "wizard/InstallControl.h"

#include "engine/InstallStatus.h"
#include "wizard/MessageDialog.h"

bool ServeDialogRequest() {
  if (!InstallStatus.ChangeState(tsAsking, tsPaused))
    return false;
  InstallStatus.MsgResult =
      ShowMessageDialog(InstallStatus.MsgText, InstallStatus.MsgType, InstallStatus.MsgButtons);
  InstallStatus.ChangeState(tsPaused, tsAnswered);
  return true;
}

bool PauseForQuestion() {
  return InstallStatus.ChangeState(tsRunning, tsPaused);
}

void ResumeAfterQuestion(bool stop) {
  if (!stop) {
    InstallStatus.ChangeState(tsPaused, tsRunning);
    return;
  }
  StopInstallation();
}

void StopInstallation() {
  InstallStatus.ChangeState({tsRunning, tsPaused, tsAsking, tsAnswered}, tsStop);
}

TInstallTick InstallTimerTick() {
  const TInstallState s = InstallStatus.State();
  if (s == tsRunning && InstallStatus.CurComp != 255)
    return TInstallTick::Progress;
  if (ServeDialogRequest())
    return TInstallTick::DialogServed;
  if (s == tsStop) {
    InstallStatus.ChangeState(tsStop, tsIdle);
    return TInstallTick::Finished;
  }
  if (s == tsFailed)
    return TInstallTick::Failed;
  return TInstallTick::None;
}

// The wizard's side of the install protocol, reduced to waiting and Abort.
#include "bench/InstallDriver.h"

#include "engine/InstallStatus.h"
#include "engine/InstallThread.h"
#include "platform/Constants.h"

namespace {

// The wizard's answer sequence: tsAsking -> tsPaused -> tsAnswered.
void AnswerAbort(std::string& error) {
  error = "cannot write a file: " + InstallStatus.MsgText.Bytes();
  if (!InstallStatus.ChangeState(tsAsking, tsPaused))
    return;
  InstallStatus.MsgResult = dlg::kAbort;
  InstallStatus.ChangeState(tsPaused, tsAnswered);
}

} // namespace

bool AwaitWorker(TInstallThread& worker, std::string& error) {
  for (;;) {
    const TInstallState state = InstallStatus.WaitWhile({tsRunning, tsAnswered});
    if (state == tsAsking) {
      AnswerAbort(error);
      continue;
    }
    if (state == tsStop || state == tsFailed)
      break;
  }
  worker.WaitFor();
  const bool completed = InstallStatus.State() == tsStop && error.empty();
  InstallStatus.SetState(tsIdle);
  if (!completed && error.empty())
    error = "the install thread failed";
  return completed;
}
